# Frames of window messages received from other processes.
tovsim_fuzz(fuzz_wire
  SOURCES ${CMAKE_SOURCE_DIR}/fuzz/fuzz_wire.cpp
          ${CMAKE_SOURCE_DIR}/platform/win/wire.cpp)
