# Velmor's opening replayed by the host program: the wall time of the whole
# run against the virtual time its script covers.
if(NOT TOVSIM_VIEWER)
  return()
endif()
tovsim_bench(replay_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/replay_bench.cpp
             LIBS bench_support tovsim_replay tovsim_test_support)
target_compile_definitions(replay_bench PRIVATE
  TOVSIM_PROGRAM="${TOVSIM_RUN_TREE}/bin/tovsim"
  OPENING_REPLAY="${PROJECT_SOURCE_DIR}/tests/e2e/replay_scripts/velmor_opening.replay")
add_dependencies(replay_bench tovsim Lcd Snd velmor_datlib games_content)
