#pragma once
// File calls over the C library's streams (paths are Windows-style and
// GB2312), console calls, the owner name and the small services that have
// nothing to do on the host.

#include <cstdint>
#include <cstdio>

// A stream opened with the C library's mode string, or null.
std::FILE* FileOpen(const char* name, const char* mode);
// 0, or -1 on failure (also for a null stream, as for every call below).
int FileClose(std::FILE* f);
std::size_t FileRead(void* buffer, std::size_t size, std::size_t count, std::FILE* f);
std::size_t FileWrite(const void* buffer, std::size_t size, std::size_t count, std::FILE* f);
// Origin 0 start, 1 current, 2 end. 0, or nonzero on failure.
int FileSeek(std::FILE* f, long offset, int origin);
long FileTell(std::FILE* f);
void FileRewind(std::FILE* f);
int FileEof(std::FILE* f);
void FileClearErr(std::FILE* f);
// One byte 0 to 255, or -1.
int FileGetc(std::FILE* f);
int FileGetChar(std::FILE* f);
// A line of at most n - 1 bytes with its line end; buffer, or null.
char* FileGets(char* buffer, int n, std::FILE* f);
// The byte written, or -1.
int FilePutc(int c, std::FILE* f);
int FilePutChar(int c, std::FILE* f);
// Writes the string without a line end; 0, or -1.
int FilePuts(const char* string, std::FILE* f);
// Nonzero on success, 0 on failure.
int FileDelete(const char* name);
// 0, or -1 on failure (an existing target is never replaced).
int FileRename(const char* oldName, const char* newName);
// Beyond the device's calls: renames `from` to `to`, replacing an existing
// `to` in one atomic step, with the file's bytes synced before and its folder
// after, so that after a crash `to` holds either its old or its new bytes.
// With `from` equal to `to` it only syncs the file and its folder.
// 0, or -1 on failure (then `to` is unchanged).
int FileReplace(const char* from, const char* to);

int ConsoleGetc();
int ConsolePutc(int c);
// Writes the string and a line end; 0, or -1.
int ConsolePuts(const char* string);

// Copies the owner name and its NUL (9 bytes) into buffer; returns 0.
int GetOwnerName(char* buffer);
// 0x10000000 on the host.
int32_t QueryDeviceValue();
void DeviceNop();
// 0 on the host; an application stops at once when it answers -1.
int32_t AppBegin();
// 1 on the host; an application returns it at its end.
int32_t AppEnd();
