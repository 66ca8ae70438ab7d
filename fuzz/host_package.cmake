# Resource packages as the host opens them: directory checks, then BMP decoding.
tovsim_fuzz(fuzz_host_package
  SOURCES ${CMAKE_SOURCE_DIR}/fuzz/fuzz_host_package.cpp
          ${CMAKE_SOURCE_DIR}/format/package/package_format.cpp
          ${CMAKE_SOURCE_DIR}/platform/gdi/bmp_read.cpp
          ${CMAKE_SOURCE_DIR}/platform/gdi/bmp_rle.cpp)
