# Messages: a cross-process SendMessage round trip beside a raw Unix-socket
# ping-pong, and PostMessage throughput, against the window tests' peer.
tovsim_bench(messages_bench SOURCES messages_bench.cpp
             LIBS bench_support tovsim_win tovsim_test_support)
target_compile_definitions(messages_bench PRIVATE WIN_PEER="$<TARGET_FILE:win_peer>")
add_dependencies(messages_bench win_peer)
