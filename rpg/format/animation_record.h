#pragma once
// Effect animation (type 5): a header, N elements and P pictures.
//   0  2 bytes  key bytes (id1, id2)
//   2  u8       N elements      3  u8  P pictures
//   4  u8       first element   5  u8  last element played (inclusive)
//   6  5 × N    elements: dx, dy, life, delay, picture index
//   6 + 5N      P pictures, each a 6-byte picture header and one frame
// The game plays elements first ... last; an element shows picture
// `picture` of the P.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "rpg/format/fields.h"

namespace rpgfmt::anim {

inline constexpr std::array<Field, 6> kHeader{{KeyId1("id1"), KeyId2("id2"), Counted("count", 2),
                                               Counted("pictureCount", 3), U8("first", 4),
                                               U8("last", 5)}};
inline constexpr std::array<Field, 5> kElement{
    {U8("dx", 0), U8("dy", 1), U8("life", 2), U8("delay", 3), U8("picture", 4)}};

inline constexpr std::uint16_t kCount = OffsetOf(kHeader, "count");
inline constexpr std::uint16_t kPictureCount = OffsetOf(kHeader, "pictureCount");
inline constexpr std::uint16_t kFirst = OffsetOf(kHeader, "first");
inline constexpr std::uint16_t kLast = OffsetOf(kHeader, "last");
inline constexpr std::uint16_t kHeaderSize = EndOf(kHeader);
inline constexpr std::uint16_t kElementDx = OffsetOf(kElement, "dx");
inline constexpr std::uint16_t kElementDy = OffsetOf(kElement, "dy");
inline constexpr std::uint16_t kElementLife = OffsetOf(kElement, "life");
inline constexpr std::uint16_t kElementDelay = OffsetOf(kElement, "delay");
inline constexpr std::uint16_t kElementPicture = OffsetOf(kElement, "picture");
inline constexpr std::uint16_t kElementSize = EndOf(kElement);

// Where element `i` starts.
constexpr std::size_t ElementAt(std::size_t i) { return kHeaderSize + i * kElementSize; }

// Bytes of the picture starting at `at`, or 0 when it runs past the data.
std::size_t PictureSize(std::span<const std::uint8_t> bytes, std::size_t at);

}  // namespace rpgfmt::anim
