tovsim_fuzz(fuzz_respack
  SOURCES ${CMAKE_SOURCE_DIR}/fuzz/fuzz_respack.cpp
          ${CMAKE_SOURCE_DIR}/format/package/package_format.cpp)

tovsim_fuzz(fuzz_pixel_art
  SOURCES ${CMAKE_SOURCE_DIR}/fuzz/fuzz_pixel_art.cpp
          ${CMAKE_SOURCE_DIR}/tools/respack/pixel_art.cpp)
