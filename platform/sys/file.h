#pragma once
// File calls taking Windows-style paths (backslashes, GB2312 names).

#include <cstdint>
#include <cstdio>

namespace plat {

inline constexpr std::uint32_t FILE_ATTRIBUTE_READONLY = 0x01;
inline constexpr std::uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr std::uint32_t FILE_ATTRIBUTE_NORMAL = 0x80;
inline constexpr std::uint32_t INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

// fopen with a Windows path. The mode is the C library's ("rb", "w+", ...);
// a mode that does not start with 'r', 'w' or 'a' fails with EINVAL. Files
// are shared with other processes (no locking), as the platform's default.
std::FILE* OpenFile(const char* path, const char* mode);

// Deletes a file; folders are not deleted. Nonzero on success; errno tells
// why it failed.
int DeleteFileA(const char* path);

// Renames or moves a file or folder. Like the platform, an existing target
// is never replaced: the call then fails with EEXIST. Nonzero on success.
int MoveFileA(const char* from, const char* to);

// Creates one folder (mode 0755 less the umask). Nonzero on success.
int CreateDirectoryA(const char* path);

// FILE_ATTRIBUTE_* of a file or folder (symbolic links followed), or
// INVALID_FILE_ATTRIBUTES when it does not exist.
std::uint32_t GetFileAttributesA(const char* path);

}  // namespace plat
