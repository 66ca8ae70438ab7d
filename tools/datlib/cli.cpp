#include "tools/datlib/cli.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "tools/datlib/builder.h"
#include "tools/datlib/check.h"
#include "tools/datlib/dump.h"
#include "tools/datlib/listing.h"
#include "tools/datlib/project.h"

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
    "\n"
    "Run 'datlib <command> --help' for one command's options, 'datlib --version'\n"
    "for the version.\n"
    "Exit codes: 0 success, 1 errors in the input, 2 wrong usage.\n";

struct Command {
  const char* name;
  const char* help;
  bool needsOutput;
  int (*run)(const std::string& input, const std::string& output, std::ostream& out,
             std::ostream& err);
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

int RunBuild(const std::string& input, const std::string& output, std::ostream&,
             std::ostream& err) {
  Diagnostics diag;
  auto project = LoadProject(input, diag);
  std::optional<std::vector<std::uint8_t>> image;
  if (project) image = BuildLibrary(project->title, project->resources, diag);
  Report(diag, err);
  if (!image) return kFailed;
  return WriteFile(output, image->data(), image->size(), err) ? kOk : kFailed;
}

int RunDump(const std::string& input, const std::string& output, std::ostream&,
            std::ostream& err) {
  auto image = ReadFile(input, err);
  if (!image) return kFailed;
  Diagnostics diag;
  auto dump = DumpLibrary(*image, input, diag);
  bool ok = dump.has_value();
  if (dump) {
    const std::filesystem::path dir(output);
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

int RunList(const std::string& input, const std::string&, std::ostream& out, std::ostream& err) {
  auto image = ReadFile(input, err);
  if (!image) return kFailed;
  Diagnostics diag;
  auto text = ListLibrary(*image, input, diag);
  Report(diag, err);
  if (!text) return kFailed;
  out << *text;
  return kOk;
}

int RunCheck(const std::string& input, const std::string&, std::ostream& out,
             std::ostream& err) {
  auto image = ReadFile(input, err);
  if (!image) return kFailed;
  Diagnostics diag;
  auto report = CheckLibrary(*image, input, diag);
  Report(diag, err);
  if (report) out << *report;
  return report && !diag.HasErrors() ? kOk : kFailed;
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
     "variable is set and tested.\n",
     false, RunCheck},
};

int RunCommand(const Command& cmd, const std::vector<std::string>& args, std::ostream& out,
               std::ostream& err) {
  std::string input, output;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      out << cmd.help;
      return kOk;
    }
    if (a == "-o" && cmd.needsOutput && i + 1 < args.size()) {
      output = args[++i];
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
  if (input.empty() || (cmd.needsOutput && output.empty())) {
    err << cmd.help;
    return kUsage;
  }
  return cmd.run(input, output, out, err);
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
