// The directory search and the bounded views of the library image, on
// libraries made byte by byte.

#include "rpg/engine/library.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <tuple>
#include <vector>

#include "codec/bytes.h"
#include "rpg/engine/game_state.h"
#include "tests/rpg/support/memory_library.h"

namespace {

using rpgtest::Bytes;
using rpgtest::InstalledLibrary;
using Key = std::tuple<uint8_t, uint8_t, uint8_t>;

// A library holding only its header, a directory of `keys` (in the order
// given) and a location table whose entry i is block i % 200 + 1, offset
// 100 + i. Nothing behind the locations: the search reads no block.
Bytes DirectoryImage(const std::vector<Key>& keys) {
  Bytes image(8192 + 3 * keys.size(), 0);
  image[0] = 'L', image[1] = 'I', image[2] = 'B';
  codec::StoreLe<uint16_t>(image.data() + 12, uint16_t(3 * keys.size()));
  for (std::size_t i = 0; i < keys.size(); ++i) {
    image[16 + 3 * i] = std::get<0>(keys[i]);
    image[17 + 3 * i] = std::get<1>(keys[i]);
    image[18 + 3 * i] = std::get<2>(keys[i]);
    image[8192 + 3 * i] = uint8_t(i % 200 + 1);
    codec::StoreLe<uint16_t>(image.data() + 8193 + 3 * i, uint16_t(100 + i));
  }
  return image;
}

struct Found {
  uint8_t status;
  int entry;  // -1 when not found
};

Found Lookup(Key k) {
  ResKey key{std::get<0>(k), std::get<1>(k), std::get<2>(k), 0, 0};
  game.runStatus = 0;
  LibLookup(&key);
  if (game.runStatus) return {game.runStatus, -1};
  // Block and offset name the entry the search matched.
  const int entry = key.offset - 100;
  EXPECT_EQ(key.block, entry % 200 + 1);
  return {0, entry};
}

// Among them directories whose last entry the step would pass, and keys
// before the entry the step lands on (found by the backward scan).
TEST(LibLookupTest, EveryKeyOfManySortedDirectoriesIsFound) {
  std::mt19937 random(10);
  for (int trial = 0; trial < 300; ++trial) {
    const int n = trial < 100 ? trial + 1 : int(random() % 2725) + 1;
    const int types = int(random() % 12) + 1;
    std::set<Key> unique;
    while (int(unique.size()) < n) {
      unique.insert({uint8_t(random() % types + 1), uint8_t(random()), uint8_t(random())});
    }
    const std::vector<Key> keys(unique.begin(), unique.end());
    InstalledLibrary lib(DirectoryImage(keys));
    for (std::size_t i = 0; i < keys.size(); ++i) {
      EXPECT_EQ(Lookup(keys[i]).entry, int(i)) << "of " << n;  // -1 when not found
    }
  }
}

TEST(LibLookupTest, AbsentKeysReportRunError3WithoutReadingPastTheDirectory) {
  // The image ends right after the location table: a read past the
  // directory or the table would leave the vector (caught by the sanitizer).
  InstalledLibrary lib(DirectoryImage({{2, 1, 1}, {2, 1, 2}, {5, 1, 250}, {11, 2, 14}}));
  for (Key absent : {Key{1, 1, 1}, Key{0, 0, 0}, Key{12, 1, 1}, Key{255, 255, 255},
                     Key{2, 1, 3}, Key{5, 1, 251}, Key{3, 1, 1}}) {
    const Found found = Lookup(absent);
    EXPECT_EQ(found.status, 3) << int(std::get<0>(absent));
  }
  InstalledLibrary empty(DirectoryImage({}));
  EXPECT_EQ(Lookup({1, 1, 1}).status, 3);
}

TEST(LibLookupTest, ADamagedHeaderOrDirectoryIsRunError2) {
  const Bytes image = DirectoryImage({{1, 1, 1}, {2, 1, 1}});
  Bytes badMagic = image;
  badMagic[0] = 'X';
  Bytes intoLocations = image;
  intoLocations[13] = 0x20;  // 0x2000 bytes: 2730 entries, past 8192
  struct Case {
    const char* what;
    Bytes bytes;
  };
  for (const Case& c : {Case{"magic", badMagic}, Case{"directory into the locations", intoLocations},
                        Case{"directory past the file", Bytes(image.begin(), image.begin() + 21)},
                        Case{"shorter than the header", Bytes(image.begin(), image.begin() + 15)}}) {
    InstalledLibrary lib(c.bytes);
    EXPECT_EQ(Lookup({1, 1, 1}).status, 2) << c.what;
  }
}

TEST(LibLookupTest, ALocationEntryPastTheFileIsRunError2) {
  Bytes image = DirectoryImage({{1, 1, 1}, {2, 1, 1}});
  image.resize(8192 + 4);  // entry 0's location is whole, entry 1's is cut
  InstalledLibrary lib(image);
  EXPECT_EQ(Lookup({1, 1, 1}).status, 0);
  EXPECT_EQ(Lookup({2, 1, 1}).status, 2);
}

TEST(LibLookupTest, NothingIsLookedUpWhileARunErrorIsSet) {
  InstalledLibrary lib(DirectoryImage({{1, 1, 1}}));
  game.runStatus = 7;
  ResKey key{1, 1, 1, 9, 9};
  LibLookup(&key);
  EXPECT_EQ(game.runStatus, 7);
  EXPECT_EQ(key.block, 9);
  EXPECT_EQ(LibFindRes(1, 1, 1), nullptr);
}

class LibResourceTest : public ::testing::Test {
 protected:
  // Two scripts in block 1 and a map in block 2.
  Bytes image = rpgtest::PackLibrary({{{1, 1, 1}, Bytes(10, 0xA1)},
                                      {{1, 1, 2}, Bytes(20, 0xA2)},
                                      {{2, 1, 1}, Bytes(30, 0xB1)}});
};

TEST_F(LibResourceTest, AResourceReachesToTheEndOfItsBlock) {
  InstalledLibrary lib(image);
  const std::span<const uint8_t> script = LibResource(1, 1, 2);
  ASSERT_EQ(game.runStatus, 0);
  EXPECT_EQ(script.data(), game.libImage + 16384 + 13);
  EXPECT_EQ(script.size(), 16384u - 13);
  EXPECT_EQ(script[19], 0xA2);
  EXPECT_EQ(LibFindRes(2, 1, 1), game.libImage + 2 * 16384 + 3);
  EXPECT_EQ(LibRecord(1, 1, 1, 16381).size(), 16381u);
  EXPECT_EQ(game.runStatus, 0);
}

TEST_F(LibResourceTest, AResourceInALastBlockCutShortReachesToTheEndOfTheFile) {
  image.resize(2 * 16384 + 40);
  InstalledLibrary lib(image);
  EXPECT_EQ(LibResource(2, 1, 1).size(), 37u);
  EXPECT_EQ(LibRecord(2, 1, 1, 37).size(), 37u);
  EXPECT_EQ(game.runStatus, 0);
  EXPECT_TRUE(LibRecord(2, 1, 1, 38).empty());
  EXPECT_EQ(game.runStatus, 2);
}

TEST_F(LibResourceTest, LocationsPastTheFileOrOutsideTheirBlockAreRunError2) {
  struct Case {
    const char* what;
    uint8_t block;
    uint16_t offset;
  };
  for (const Case& c : {Case{"block past the file", 3, 3}, Case{"block far past it", 255, 3},
                        Case{"offset past its block", 1, 16384},
                        Case{"offset into the next block", 1, 40000}}) {
    Bytes damaged = image;
    damaged[8192 + 3] = c.block;
    codec::StoreLe<uint16_t>(damaged.data() + 8192 + 4, c.offset);
    InstalledLibrary lib(damaged);
    EXPECT_TRUE(LibResource(1, 1, 2).empty()) << c.what;
    EXPECT_EQ(game.runStatus, 2) << c.what;
  }
  image.resize(2 * 16384 + 2);  // block 2 lacks its whole tag
  InstalledLibrary lib(image);
  EXPECT_EQ(LibFindRes(2, 1, 1), nullptr);
  EXPECT_EQ(game.runStatus, 2);
}

TEST_F(LibResourceTest, StoredLocationsAreCheckedForTheirTag) {
  InstalledLibrary lib(image);
  EXPECT_EQ(LibBlockSpan(2, 3, "MAP").size(), 16381u);
  EXPECT_EQ(game.runStatus, 0);
  EXPECT_TRUE(LibBlockSpan(1, 3, "MAP").empty());
  EXPECT_EQ(game.runStatus, 2);
  game.runStatus = 0;
  EXPECT_TRUE(LibBlockRecord(2, 16380, "MAP", 5).empty());
  EXPECT_EQ(game.runStatus, 2);
  game.runStatus = 0;
  EXPECT_EQ(LibBlockRecord(2, 16380, "MAP", 4).size(), 4u);
}

}  // namespace
