#include "host/file.h"

#include <cstring>

#include "platform/sys/file.h"

namespace {

constexpr char kOwnerName[] = "Pellacor";
static_assert(sizeof kOwnerName == 9);

constexpr int kFailed = -1;

}  // namespace

std::FILE* FileOpen(const char* name, const char* mode) {
  if (!name || !mode) return nullptr;
  return plat::OpenFile(name, mode);
}

int FileClose(std::FILE* f) { return f && std::fclose(f) == 0 ? 0 : kFailed; }

std::size_t FileRead(void* buffer, std::size_t size, std::size_t count, std::FILE* f) {
  return f ? std::fread(buffer, size, count, f) : 0;
}

std::size_t FileWrite(const void* buffer, std::size_t size, std::size_t count, std::FILE* f) {
  return f ? std::fwrite(buffer, size, count, f) : 0;
}

int FileSeek(std::FILE* f, long offset, int origin) {
  return f ? std::fseek(f, offset, origin) : kFailed;
}

long FileTell(std::FILE* f) { return f ? std::ftell(f) : kFailed; }

void FileRewind(std::FILE* f) {
  if (f) std::rewind(f);
}

int FileEof(std::FILE* f) { return f ? std::feof(f) : 0; }

void FileClearErr(std::FILE* f) {
  if (f) std::clearerr(f);
}

int FileGetc(std::FILE* f) { return f ? std::fgetc(f) : kFailed; }

int FileGetChar(std::FILE* f) { return f ? std::getc(f) : kFailed; }

char* FileGets(char* buffer, int n, std::FILE* f) { return f ? std::fgets(buffer, n, f) : nullptr; }

int FilePutc(int c, std::FILE* f) { return f ? std::fputc(c, f) : kFailed; }

int FilePutChar(int c, std::FILE* f) { return f ? std::putc(c, f) : kFailed; }

int FilePuts(const char* string, std::FILE* f) {
  return f && string && std::fputs(string, f) >= 0 ? 0 : kFailed;
}

int FileDelete(const char* name) { return name ? plat::DeleteFileA(name) : 0; }

int FileRename(const char* oldName, const char* newName) {
  return oldName && newName && plat::MoveFileA(oldName, newName) ? 0 : kFailed;
}

int FileReplace(const char* from, const char* to) {
  constexpr std::uint32_t kFlags = plat::MOVEFILE_REPLACE_EXISTING | plat::MOVEFILE_WRITE_THROUGH;
  return from && to && plat::MoveFileExA(from, to, kFlags) ? 0 : kFailed;
}

int ConsoleGetc() { return std::getchar(); }

int ConsolePutc(int c) { return std::putchar(c); }

int ConsolePuts(const char* string) { return string && std::puts(string) >= 0 ? 0 : kFailed; }

int GetOwnerName(char* buffer) {
  std::memcpy(buffer, kOwnerName, sizeof kOwnerName);
  return 0;
}

int32_t QueryDeviceValue() { return 0x10000000; }

void DeviceNop() {}

int32_t AppBegin() { return 0; }

int32_t AppEnd() { return 1; }
