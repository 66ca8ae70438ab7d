# Shared by the game's benchmarks: the screen memcpy baseline and a started
# game screen on an installed library.
add_library(bench_game_screen STATIC ${CMAKE_CURRENT_LIST_DIR}/game_screen.cpp)
tovsim_target(bench_game_screen)
target_link_libraries(bench_game_screen PUBLIC bench_support tovsim_rpg_test_support)

# The game's map window: a whole frame and a one-cell scroll beside a memcpy
# of the game's screen.
tovsim_bench(rpg_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/rpg_bench.cpp
             LIBS bench_game_screen)
# The battle scene: a full DrawBattleScene beside a memcpy of the game's screen.
tovsim_bench(battle_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/battle_bench.cpp
             LIBS bench_game_screen)
