tovsim_fuzz(fuzz_tune
  SOURCES ${CMAKE_SOURCE_DIR}/fuzz/fuzz_tune.cpp
          ${CMAKE_SOURCE_DIR}/tools/sndgen/tune_parser.cpp
          ${CMAKE_SOURCE_DIR}/tools/sndgen/midi_writer.cpp
          ${CMAKE_SOURCE_DIR}/tools/sndgen/synth.cpp)
