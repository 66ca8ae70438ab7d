tovsim_bench(host_bench SOURCES host_bench.cpp LIBS tovsim_host_test_support)
