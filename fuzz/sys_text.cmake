# Text parsers of the system services.
pkg_check_modules(FUZZ_INIH REQUIRED IMPORTED_TARGET inih)
tovsim_fuzz(fuzz_sys_text
  SOURCES ${CMAKE_SOURCE_DIR}/fuzz/fuzz_sys_text.cpp
          ${CMAKE_SOURCE_DIR}/platform/sys/command_line.cpp
          ${CMAKE_SOURCE_DIR}/platform/sys/gb2312.cpp
          ${CMAKE_SOURCE_DIR}/platform/sys/ini.cpp
          ${CMAKE_SOURCE_DIR}/platform/sys/path.cpp
          ${CMAKE_SOURCE_DIR}/platform/sys/wildcard.cpp
  LIBS PkgConfig::FUZZ_INIH)
