# The game's map window: a whole frame and a one-cell scroll beside a memcpy
# of the game's screen.
tovsim_bench(rpg_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/rpg_bench.cpp
             LIBS bench_support tovsim_rpg_test_support)
