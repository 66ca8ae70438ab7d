tovsim_bench(raster_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/raster_bench.cpp LIBS tovsim_gdi)
