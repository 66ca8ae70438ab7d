# The games: a falling-blocks gravity step beside a single flush. The game
# finds its package relative to the program (..\Games\blocks\), so the bench
# sits in bin/ beside a link to the run tree's Games folder.
if(NOT TOVSIM_VIEWER)
  return()
endif()
tovsim_bench(games_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/games_bench.cpp
             LIBS screen_bench_support tovsim_game_blocks)
set_target_properties(games_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/bin)
file(MAKE_DIRECTORY ${TOVSIM_RUN_TREE}/Games)
file(CREATE_LINK ${TOVSIM_RUN_TREE}/Games ${CMAKE_CURRENT_BINARY_DIR}/Games SYMBOLIC)
add_dependencies(games_bench games_content)
