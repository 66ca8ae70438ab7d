#pragma once
// Directory search like FindFirstFileA / FindNextFileA / FindClose.
//
// The pattern is a Windows-style path whose last component may hold '*' and
// '?' ("..\Save\*.sav", "dir\*"); see wildcard.h for the matching rules. The
// entries come in a fixed order: "." and ".." first, then by name without
// case, then by bytes. Names longer than 259 bytes are skipped.

#include <cstdint>

namespace plat {

inline constexpr unsigned kMaxPath = 260;

struct WIN32_FIND_DATAA {
  std::uint32_t dwFileAttributes;  // FILE_ATTRIBUTE_* of file.h
  std::uint32_t nFileSizeHigh;
  std::uint32_t nFileSizeLow;
  char cFileName[kMaxPath];  // NUL-terminated bytes, as stored on disk
};

struct FindSearch;  // an open search

// Starts a search and fills `data` with the first match. Returns null when
// nothing matches (errno ENOENT) or the folder cannot be read (its errno).
FindSearch* FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data);

// Fills `data` with the next match; 0 when there is none left (errno
// ENOENT, the platform's "no more files").
int FindNextFileA(FindSearch* search, WIN32_FIND_DATAA* data);

// Ends a search; null is ignored. Returns 1.
int FindClose(FindSearch* search);

}  // namespace plat
