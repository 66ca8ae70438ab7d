tovsim_bench(text_bench SOURCES text_bench.cpp LIBS tovsim_gdi)
