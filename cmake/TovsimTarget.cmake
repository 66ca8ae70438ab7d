# Common settings for every target of the project.
#
# tovsim_target(<target> [NO_GB2312])
#   Warnings as errors; with GCC, program text is compiled from UTF-8 sources
#   into GB2312 string literals. NO_GB2312 marks a target whose sources carry
#   no Chinese literals: only those are built in the clang fuzz configuration
#   (clang has no -fexec-charset), where every target gets libFuzzer's
#   coverage and the address and undefined-behaviour checks.
function(tovsim_target target)
  cmake_parse_arguments(ARG "NO_GB2312" "" "" ${ARGN})
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  # GCC 12 at -O3 reports overlapping copies inside std::string's own members
  # that cannot happen (-Wrestrict, all over the tree): in a Release build with
  # that version it stays a warning instead of stopping the build.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
     AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE $<$<CONFIG:Release>:-Wno-error=restrict>)
  endif()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND NOT ARG_NO_GB2312)
    target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=GB2312)
  endif()
  if(TOVSIM_FUZZ)
    if(NOT ARG_NO_GB2312)
      # Built with clang its literals would be UTF-8: keep it out of the fuzz targets.
      set_target_properties(${target} PROPERTIES TOVSIM_HAS_GB2312 ON)
    endif()
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined -g -O1)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(TOVSIM_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# tovsim_test(<name> SOURCES ... LIBS ...)
#   A GoogleTest executable registered with CTest, one CTest case per test.
function(tovsim_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  tovsim_target(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)
endfunction()
