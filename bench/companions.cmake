# The viewer's repaint: the host's wait for one 320x240 frame to be copied,
# beside a plain send to the same viewer and a memcpy of the frame.
tovsim_bench(companions_bench SOURCES companions_bench.cpp LIBS tovsim_win tovsim_sys)
target_compile_definitions(companions_bench PRIVATE LCD_PROGRAM="$<TARGET_FILE:Lcd>")
add_dependencies(companions_bench Lcd)
