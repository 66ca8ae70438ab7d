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

// MoveFileExA flags.
inline constexpr std::uint32_t MOVEFILE_REPLACE_EXISTING = 0x01;
inline constexpr std::uint32_t MOVEFILE_WRITE_THROUGH = 0x08;

// Renames a file in one atomic step. MOVEFILE_REPLACE_EXISTING lets it
// replace an existing target (without it the call is MoveFileA);
// MOVEFILE_WRITE_THROUGH syncs the file's bytes before the rename and the
// target's folder after it, so the new name and its contents survive a
// crash or power loss together. Nonzero on success; errno tells why it
// failed.
int MoveFileExA(const char* from, const char* to, std::uint32_t flags);

// Creates one folder (mode 0755 less the umask). Nonzero on success.
int CreateDirectoryA(const char* path);

// FILE_ATTRIBUTE_* of a file or folder (symbolic links followed), or
// INVALID_FILE_ATTRIBUTES when it does not exist.
std::uint32_t GetFileAttributesA(const char* path);

}  // namespace plat
