#pragma once
// A tune read from text by a test; a text the reader refuses fails the test.

#include <gtest/gtest.h>

#include <string>

#include "tools/sndgen/tune.h"

namespace sndgen {

inline Tune Parse(const std::string& text) {
  Tune tune;
  codec::Diagnostics diag;
  EXPECT_TRUE(ParseTune(text, "t.tune", tune, diag)) << diag.Text();
  return tune;
}

}  // namespace sndgen
