tovsim_bench(host_bench SOURCES host_bench.cpp LIBS host_test_support)
