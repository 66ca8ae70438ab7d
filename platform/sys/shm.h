#pragma once
// Named shared memory like CreateFileMappingA / OpenFileMappingA /
// MapViewOfFile, scoped to the simulator instance.
//
// A block is a file "shm-<hex of the name's bytes>" in InstanceDir(), mode
// 0600, so any byte string (the GB2312 name of the screen block included)
// is a valid name and two instances never see each other's blocks.
//
// Lifetime follows the platform: a block lives while a handle to it is
// open. Every handle holds a shared lock on the file; the last handle to
// close removes the name, and a file left behind by a crashed process (no
// lock held) counts as absent.
//
// Creating a name that exists opens the existing block and reports it (the
// platform's ERROR_ALREADY_EXISTS). When the requested size is larger the
// block grows to it, so the creator can always use the size it asked for;
// it never shrinks, because other processes may have mapped the larger
// size. A view always covers the block's real size, and ViewSize() tells
// it: readers must not rely on a size they were told.

#include <cstddef>
#include <cstdint>

namespace plat {

struct FileMapping;  // an open handle to a block

// Creates the block `name` (or opens it when it exists) with at least
// `size` bytes, zero-filled when new. `name` may be null for a block no one
// else can open. `alreadyExisted`, when given, says whether it existed.
// Returns null on failure (errno set; EINVAL for size 0 or a name over 120
// bytes).
FileMapping* CreateFileMappingA(const char* name, std::uint64_t size,
                                bool* alreadyExisted = nullptr);

// Opens an existing block by name; null with errno ENOENT when there is none.
FileMapping* OpenFileMappingA(const char* name);

// The block's current size in bytes (0 on error).
std::uint64_t MappingSize(FileMapping* mapping);

// Maps the whole block read-write; null on failure.
void* MapViewOfFile(FileMapping* mapping);

// Size of a mapped view (0 when `view` is not one).
std::size_t ViewSize(const void* view);

// Unmaps a view returned by MapViewOfFile; 0 when `view` is not one.
int UnmapViewOfFile(const void* view);

// Closes a handle; views stay valid until unmapped. Null is ignored. Returns 1.
int CloseFileMapping(FileMapping* mapping);

}  // namespace plat
