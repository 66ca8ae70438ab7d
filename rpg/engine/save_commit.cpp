#include "rpg/engine/save_commit.h"

#include <cstdio>
#include <string>

#include "host/file.h"

namespace {

FileStepHook stepHook = nullptr;
int step = 0;

void Step() {
  if (stepHook) stepHook(step++);
}

std::string NewName(const char* name) { return std::string(name) + ".new"; }

bool Exists(const std::string& name) {
  Step();
  std::FILE* f = FileOpen(name.c_str(), "rb");
  if (!f) return false;
  FileClose(f);
  return true;
}

void Delete(const std::string& name) {
  Step();
  FileDelete(name.c_str());
}

bool Replace(const std::string& from, const std::string& to) {
  Step();
  return FileReplace(from.c_str(), to.c_str()) == 0;
}

// The bytes into `name`, closed and synced (FileReplace onto itself syncs).
bool WriteSynced(const std::string& name, std::span<const uint8_t> bytes) {
  Step();
  std::FILE* f = FileOpen(name.c_str(), "wb");
  if (!f) return false;
  Step();
  const bool written = bytes.empty() || FileWrite(bytes.data(), bytes.size(), 1, f) == 1;
  Step();
  const bool closed = FileClose(f) == 0;
  return written && closed && Replace(name, name);
}

}  // namespace

bool CommitSlotFiles(const char* mainName, std::span<const uint8_t> main, const char* memberName,
                     std::span<const uint8_t> member) {
  const std::string mainNew = NewName(mainName);
  const std::string memberNew = NewName(memberName);
  if (!WriteSynced(memberNew, member) || !WriteSynced(mainNew, main) ||
      !Replace(memberNew, memberName)) {
    // The main ".new" goes first: alone it would read as a committed save.
    Delete(mainNew);
    Delete(memberNew);
    return false;
  }
  // Committed: should this rename fail, the next RecoverSlot finishes it.
  Replace(mainNew, mainName);
  return true;
}

void RecoverSlot(const char* mainName, const char* memberName) {
  const std::string mainNew = NewName(mainName);
  const std::string memberNew = NewName(memberName);
  if (Exists(memberNew)) {
    Delete(mainNew);
    Delete(memberNew);
  } else if (Exists(mainNew)) {
    Replace(mainNew, mainName);
  }
}

bool CommitFile(const char* name, std::span<const uint8_t> bytes) {
  const std::string fresh = NewName(name);
  if (WriteSynced(fresh, bytes) && Replace(fresh, name)) return true;
  Delete(fresh);
  return false;
}

void RecoverFile(const char* name) {
  const std::string fresh = NewName(name);
  if (Exists(fresh)) Delete(fresh);
}

bool SaveFileExists(const std::string& name) {
  std::FILE* f = FileOpen(name.c_str(), "rb");
  if (f) FileClose(f);
  return f != nullptr;
}

void SetFileStepHook(FileStepHook hook) {
  stepHook = hook;
  step = 0;
}
