# The network game: a round trip through the Device API's network calls
# beside a raw loopback TCP ping-pong.
tovsim_bench(net_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/net_bench.cpp
             LIBS bench_support tovsim_host tovsim_net)
