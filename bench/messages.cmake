# Messages: a cross-process SendMessage round trip beside a raw Unix-socket
# ping-pong, and PostMessage throughput.
tovsim_bench(messages_bench SOURCES messages_bench.cpp LIBS bench_support tovsim_win)
