// Socket names of windows: one encoder and one decoder, round-tripping every
// class and title, the long ones through their hashed name and name file.

#include "platform/win/endpoint_name.h"

#include <gtest/gtest.h>

namespace plat {
namespace {

TEST(EndpointNameTest, EveryNameRoundTrips) {
  struct Case {
    std::string className, title;
    std::size_t room;
    bool hashed;
  };
  const Case cases[] = {
      {"SimClass", "Sim", 80, false},
      {"A", "", 80, false},                            // an empty title
      {std::string("\xB9\xB2\xCF\xED", 4), "\x01.", 80, false},  // GB2312 bytes, a dot
      {"SimClass", "Sim", 24, false},                  // "w" + 16 + "." + 6 digits fit exactly
      {"SimClass", "Sim", 23, true},                   // one byte short
      {std::string(60, 'c'), std::string(60, 't'), 80, true},
      {"", std::string(200, '\xFE'), 80, true},
  };
  for (const Case& c : cases) {
    const EndpointName name = EncodeEndpointName(c.className, c.title, c.room);
    SCOPED_TRACE(name.file);
    EXPECT_EQ(name.file[0], c.hashed ? 'h' : 'w');
    EXPECT_EQ(name.longName.empty(), !c.hashed);
    EXPECT_EQ(name.file.size() == 17, c.hashed) << "h and 16 hex digits";
    EXPECT_EQ(DecodeEndpointName(name.file, name.longName), (WindowName{c.className, c.title}));
  }
}

TEST(EndpointNameTest, NamesThatDoNotCheckAreRefused) {
  const EndpointName longName = EncodeEndpointName("Class", std::string(100, 'x'), 40);
  const EndpointName other = EncodeEndpointName("Class", std::string(100, 'y'), 40);
  const char* const notWindows[] = {"w53696d", "w5.41", "w4g.41", "w41.4", "x41.41", "", "w"};
  for (const char* file : notWindows) EXPECT_FALSE(DecodeEndpointName(file)) << file;
  EXPECT_FALSE(DecodeEndpointName(longName.file)) << "no name file";
  EXPECT_FALSE(DecodeEndpointName(longName.file, other.longName)) << "another window's name";
  EXPECT_FALSE(DecodeEndpointName(longName.file, longName.longName.substr(1))) << "half written";
  EXPECT_TRUE(DecodeEndpointName(longName.file, longName.longName));
}

}  // namespace
}  // namespace plat
