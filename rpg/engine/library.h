#pragma once
// The data library in memory: the directory search that finds a resource by
// its key, and bounded views of the loaded image for every reader. Nothing
// outside game.libSize bytes of game.libImage is ever read.
//
// Failures set game.runStatus: 3 when a key is absent, 2 when the library or
// a location is damaged (a directory or location past the file, a block that
// is not in the file or carries the wrong tag). Every call returns at once,
// finding nothing, while runStatus is set.

#include <cstddef>
#include <cstdint>
#include <span>

// A key as input, with where its resource lies as output.
struct ResKey {
  uint8_t type;
  uint8_t id1;
  uint8_t id2;
  uint8_t block;
  uint16_t offset;
};

// Fills key->block and key->offset, or sets runStatus.
void LibLookup(ResKey* key);

// The first byte of the resource inside libImage, or null.
const uint8_t* LibFindRes(uint8_t type, uint8_t id1, uint8_t id2);

// The resource's bytes from its start to the end of its block or of the
// file, whichever comes first; empty on failure.
std::span<const uint8_t> LibResource(uint8_t type, uint8_t id1, uint8_t id2);

// The first `size` bytes of a record; empty with runStatus 2 when the record
// runs past its block or the file.
std::span<const uint8_t> LibRecord(uint8_t type, uint8_t id1, uint8_t id2, std::size_t size);

// The bytes at a stored (block, offset) pair up to the end of the block or
// the file. The block must lie in the file and, when `tag` is given, start
// with that 3-letter tag; the offset must lie inside the block.
std::span<const uint8_t> LibBlockSpan(uint16_t block, uint16_t offset, const char* tag);

// The same without touching runStatus: empty where LibBlockSpan would fail.
// For locations checked before (a loaded map's cells, its tile set).
std::span<const uint8_t> LibBlockView(uint16_t block, uint16_t offset, const char* tag);

// The same for a location that must hold at least `size` bytes.
std::span<const uint8_t> LibBlockRecord(uint16_t block, uint16_t offset, const char* tag,
                                        std::size_t size);
