# The raster and text in one run: full-screen copy and fill against memcpy and
# memset, the transparent sprite idiom, and a line of Chinese text.
tovsim_bench(raster_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/raster_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/text_bench.cpp
  LIBS tovsim_gdi)
