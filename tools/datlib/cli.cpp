#include "tools/datlib/cli.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "tools/datlib/builder.h"
#include "tools/datlib/check.h"
#include "tools/datlib/dump.h"
#include "tools/datlib/library_read.h"
#include "tools/datlib/listing.h"
#include "tools/datlib/project.h"
#include "tools/datlib/save_dump.h"

namespace datlib {
namespace {

constexpr int kOk = 0, kFailed = 1, kUsage = 2;

constexpr const char* kMainHelp =
    "usage: datlib <command> [options]\n"
    "\n"
    "Compiles the game's data library from readable sources and back.\n"
    "\n"
    "commands:\n"
    "  build PROJECT.yaml -o FILE   compile a project into a data library\n"
    "  dump LIBRARY -o DIR          write sources that build back to the same bytes\n"
    "  ls LIBRARY                   list keys, blocks, offsets, sizes and tags\n"
    "  check LIBRARY                check references; list flags and variables\n"
    "  save-dump FILE [--lib LIB]   print a saved game's file as text\n"
    "\n"
    "Run 'datlib <command> --help' for one command's options, 'datlib --version'\n"
    "for the version.\n"
    "Exit codes: 0 success, 1 errors in the input, 2 wrong usage.\n";

struct Args {
  std::string input, output, lib, kind;
};

struct Command {
  const char* name;
  const char* help;
  bool needsOutput;
  int (*run)(const Args& args, std::ostream& out, std::ostream& err);
  bool savesOptions = false;  // takes --lib and --kind
};

void Report(const Diagnostics& diag, std::ostream& err) {
  for (const Diagnostic& d : diag.Items()) err << Diagnostics::Format(d) << '\n';
}

std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path, std::ostream& err) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    err << path << ": error: cannot read the file\n";
    return std::nullopt;
  }
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

bool WriteFile(const std::filesystem::path& path, const void* data, std::size_t size,
               std::ostream& err) {
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) {
    err << path.string() << ": error: cannot write the file\n";
    return false;
  }
  return true;
}

int RunBuild(const Args& args, std::ostream&, std::ostream& err) {
  const std::string& input = args.input;
  Diagnostics diag;
  auto project = LoadProject(input, diag);
  std::optional<std::vector<std::uint8_t>> image;
  if (project) image = BuildLibrary(project->title, project->resources, diag);
  Report(diag, err);
  if (!image) return kFailed;
  return WriteFile(args.output, image->data(), image->size(), err) ? kOk : kFailed;
}

int RunDump(const Args& args, std::ostream&, std::ostream& err) {
  const std::string& input = args.input;
  auto image = ReadFile(input, err);
  if (!image) return kFailed;
  Diagnostics diag;
  auto dump = DumpLibrary(*image, input, diag);
  bool ok = dump.has_value();
  if (dump) {
    const std::filesystem::path dir(args.output);
    for (const auto& [path, text] : dump->files) {
      ok = WriteFile(dir / path, text.data(), text.size(), err) && ok;
    }
    for (const TiledExport& t : dump->tiled) {
      ok = WriteTiledTileSet(t.picture, t.info, (dir / t.dir).string(), t.stem, diag) && ok;
    }
  }
  Report(diag, err);
  return ok && !diag.HasErrors() ? kOk : kFailed;
}

int RunList(const Args& args, std::ostream& out, std::ostream& err) {
  const std::string& input = args.input;
  auto image = ReadFile(input, err);
  if (!image) return kFailed;
  Diagnostics diag;
  auto text = ListLibrary(*image, input, diag);
  Report(diag, err);
  if (!text) return kFailed;
  out << *text;
  return kOk;
}

int RunCheck(const Args& args, std::ostream& out, std::ostream& err) {
  const std::string& input = args.input;
  auto image = ReadFile(input, err);
  if (!image) return kFailed;
  Diagnostics diag;
  auto report = CheckLibrary(*image, input, diag);
  Report(diag, err);
  if (report) out << *report;
  return report && !diag.HasErrors() ? kOk : kFailed;
}

std::optional<SaveFileWhat> SaveFileOfKind(const std::string& kind) {
  if (kind == "main") return SaveFileWhat{SaveFileType::kMain};
  if (kind == "members") return SaveFileWhat{SaveFileType::kMember};
  if (kind == "parked") return SaveFileWhat{SaveFileType::kParked};
  return std::nullopt;
}

int RunSaveDump(const Args& args, std::ostream& out, std::ostream& err) {
  const auto what = args.kind.empty() ? SaveFileFromName(args.input) : SaveFileOfKind(args.kind);
  if (!what) {
    err << "datlib save-dump: " << (args.kind.empty() ? "cannot tell the file's kind from its name"
                                                      : "unknown kind " + args.kind)
        << "; give --kind main, members or parked\n";
    return kUsage;
  }
  auto bytes = ReadFile(args.input, err);
  if (!bytes) return kFailed;
  std::optional<std::vector<std::uint8_t>> image;
  std::optional<rpgfmt::LibraryView> lib;
  if (!args.lib.empty()) {
    if (!(image = ReadFile(args.lib, err))) return kFailed;
    Diagnostics diag;
    lib = ReadLibraryChecked(*image, args.lib, diag);
    Report(diag, err);
    if (!lib) return kFailed;
  }
  auto text = DumpSaveFile(*bytes, *what, lib ? &*lib : nullptr);
  if (!text) {
    codec::Error problem = text.error();
    problem.file = args.input;
    err << problem.Text() << '\n';
    return kFailed;
  }
  out << *text;
  return kOk;
}

const Command kCommands[] = {
    {"build",
     "usage: datlib build PROJECT.yaml -o FILE\n"
     "Compiles every resource the project names and writes the data library.\n",
     true, RunBuild},
    {"dump",
     "usage: datlib dump LIBRARY -o DIR\n"
     "Writes DIR/project.yaml and the sources of every resource; building\n"
     "DIR/project.yaml gives the same library again.\n",
     true, RunDump},
    {"ls",
     "usage: datlib ls LIBRARY\n"
     "Lists the title, then every key with its block, offset, address, size and tag.\n",
     false, RunList},
    {"check",
     "usage: datlib check LIBRARY\n"
     "Checks that every resource a record, map or script names exists, warns of\n"
     "resources nothing uses, and lists where each event flag and script\n"
     "variable is set and tested. Also reports data the game clips or refuses\n"
     "and battle data that misbehaves in play (enemies, level tables, magics,\n"
     "Battle commands).\n",
     false, RunCheck},
    {"save-dump",
     "usage: datlib save-dump FILE [--lib LIBRARY] [--kind main|members|parked]\n"
     "Prints a saved game's main file, member file or parked member's file as\n"
     "text (YAML); the kind follows from the file's name unless --kind gives it.\n"
     "With --lib, items and magics are shown with their names from the library.\n"
     "A file the game would refuse is not printed: its first problem and that\n"
     "problem's byte offset are, and the exit code is 1.\n",
     false, RunSaveDump, true},
};

int RunCommand(const Command& cmd, const std::vector<std::string>& args, std::ostream& out,
               std::ostream& err) {
  Args parsed;
  std::string& input = parsed.input;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      out << cmd.help;
      return kOk;
    }
    if (a == "-o" && cmd.needsOutput && i + 1 < args.size()) {
      parsed.output = args[++i];
    } else if ((a == "--lib" || a == "--kind") && cmd.savesOptions && i + 1 < args.size()) {
      (a == "--lib" ? parsed.lib : parsed.kind) = args[++i];
    } else if (a.size() > 1 && a[0] == '-') {
      err << "datlib " << cmd.name << ": unknown option " << a << "\n" << cmd.help;
      return kUsage;
    } else if (input.empty()) {
      input = a;
    } else {
      err << "datlib " << cmd.name << ": one input only\n" << cmd.help;
      return kUsage;
    }
  }
  if (input.empty() || (cmd.needsOutput && parsed.output.empty())) {
    err << cmd.help;
    return kUsage;
  }
  return cmd.run(parsed, out, err);
}

}  // namespace

int RunDatlib(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << kMainHelp;
    return kUsage;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    out << kMainHelp;
    return kOk;
  }
  for (const Command& cmd : kCommands) {
    if (args[0] == cmd.name) return RunCommand(cmd, args, out, err);
  }
  err << "datlib: unknown command \"" << args[0] << "\"\n" << kMainHelp;
  return kUsage;
}

}  // namespace datlib
