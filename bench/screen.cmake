# The screen path against the real viewer: a flush to a headless and to a
# shown viewer beside memcpy and a socket ping-pong, and a full Desktop
# redraw beside a single flush.
if(NOT TOVSIM_VIEWER)
  return()
endif()
pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)
add_library(screen_bench_support STATIC ${CMAKE_CURRENT_LIST_DIR}/viewer_session.cpp)
tovsim_target(screen_bench_support)
target_link_libraries(screen_bench_support
  PUBLIC bench_support tovsim_host_test_support PRIVATE PkgConfig::X11)
target_compile_definitions(screen_bench_support PRIVATE LCD_PROGRAM="$<TARGET_FILE:Lcd>")
add_dependencies(screen_bench_support Lcd)

tovsim_bench(flush_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/flush_bench.cpp
             LIBS screen_bench_support)

# The Desktop finds its pictures relative to the program (..\AppEntry\), so
# this one sits in bin/ beside a link to the run tree's AppEntry folder.
tovsim_bench(desktop_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/desktop_bench.cpp
             LIBS screen_bench_support tovsim_desktop)
set_target_properties(desktop_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                      ${CMAKE_CURRENT_BINARY_DIR}/bin)
file(MAKE_DIRECTORY ${TOVSIM_RUN_TREE})
file(CREATE_LINK ${TOVSIM_RUN_TREE}/AppEntry ${CMAKE_CURRENT_BINARY_DIR}/AppEntry SYMBOLIC)
add_dependencies(desktop_bench appentry_content)
