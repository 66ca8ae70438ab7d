# The data library reader and everything `datlib dump`, `ls` and `check`
# run on a library's bytes, all in memory.
pkg_check_modules(FUZZ_DATLIB_PNG REQUIRED IMPORTED_TARGET libpng)
pkg_check_modules(FUZZ_DATLIB_YAML REQUIRED IMPORTED_TARGET yaml-cpp)
find_package(nlohmann_json REQUIRED)
file(GLOB fuzz_datlib_format CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/rpg/format/*.cpp)
file(GLOB fuzz_datlib_tools CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/datlib/*.cpp)
list(FILTER fuzz_datlib_tools EXCLUDE REGEX "/(main|cli)\\.cpp$")
tovsim_fuzz(fuzz_datlib
  SOURCES ${CMAKE_SOURCE_DIR}/fuzz/fuzz_datlib.cpp ${fuzz_datlib_format} ${fuzz_datlib_tools}
          ${CMAKE_SOURCE_DIR}/platform/gdi/png.cpp ${CMAKE_SOURCE_DIR}/platform/sys/gb2312.cpp
  LIBS PkgConfig::FUZZ_DATLIB_PNG PkgConfig::FUZZ_DATLIB_YAML nlohmann_json::nlohmann_json)
