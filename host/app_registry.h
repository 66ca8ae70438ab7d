#pragma once
// The application entries the host can run, by name: the Desktop registers
// as "desktop" (what the host runs by default), the games and the test
// application under names of their own. `tovsim --app NAME` and
// `--list-apps` read this table.
//
// A library registers its entries from a static object:
//   static const bool registered = RegisterApp("blocks", "Falling blocks", BlocksMain);
// and is linked into the program whole (see host/CMakeLists.txt).

#include <cstddef>

// An application's entry function: no arguments, result unused.
using AppEntryFunction = void (*)();

struct AppEntry {
  const char* name;   // ASCII, as typed after --app
  const char* title;  // GB2312, for people
  AppEntryFunction entry;
};

inline constexpr std::size_t kMaxApps = 64;

// The name the host runs when none is given.
inline constexpr char kDefaultAppName[] = "desktop";

// Adds an entry; false (and nothing added) for a null name or entry, a name
// already taken, or a full table. Returns bool so that a static initialiser
// can call it.
bool RegisterApp(const char* name, const char* title, AppEntryFunction entry);

// The entry of that name, or null.
const AppEntry* FindApp(const char* name);

// The registered entries in name order.
std::size_t AppCount();
const AppEntry* AppAt(std::size_t index);
