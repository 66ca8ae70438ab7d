tovsim_bench(msg_ring_bench SOURCES msg_ring_bench.cpp LIBS tovsim_host)
