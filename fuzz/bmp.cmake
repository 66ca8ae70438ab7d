tovsim_fuzz(fuzz_bmp
  SOURCES ${CMAKE_SOURCE_DIR}/fuzz/fuzz_bmp.cpp
          ${CMAKE_SOURCE_DIR}/platform/gdi/bmp_read.cpp
          ${CMAKE_SOURCE_DIR}/platform/gdi/bmp_rle.cpp
          ${CMAKE_SOURCE_DIR}/platform/gdi/bmp_write.cpp)
