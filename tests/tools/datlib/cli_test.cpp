#include "tools/datlib/cli.h"

#include <gtest/gtest.h>

#include "tests/tools/datlib/project_test_util.h"

namespace datlib {
namespace {

using testing::CliRun;
using testing::Datlib;
using testsupport::ScratchDir;

TEST(DatlibCli, HelpAndUsageErrors) {
  EXPECT_EQ(Datlib({"--help"}).code, 0);
  EXPECT_NE(Datlib({"--help"}).out.find("usage: datlib <command>"), std::string::npos);
  for (const char* cmd : {"build", "dump", "ls", "check", "save-dump"}) {
    const CliRun r = Datlib({cmd, "--help"});
    EXPECT_EQ(r.code, 0) << cmd;
    EXPECT_NE(r.out.find(std::string("usage: datlib ") + cmd), std::string::npos) << cmd;
  }
  EXPECT_EQ(Datlib({}).code, 2);
  EXPECT_EQ(Datlib({"frobnicate"}).code, 2);
  EXPECT_EQ(Datlib({"build", "p.yaml"}).code, 2);  // no -o
  EXPECT_EQ(Datlib({"ls"}).code, 2);
  EXPECT_EQ(Datlib({"ls", "a", "b"}).code, 2);
  EXPECT_EQ(Datlib({"ls", "--frob", "a"}).code, 2);
}

TEST(DatlibCli, BuildListDumpCheckEndToEnd) {
  ScratchDir dir;
  dir.Write("p/project.yaml", "title: e2e\nrecords: [r.yaml]\n"
                              "resources:\n  - {type: script, id: [1, 1], file: s.gsa}\n");
  dir.Write("p/r.yaml", "- {type: magiclist, id: [1, 1]}\n");
  dir.Write("p/s.gsa", "    End\n");
  CliRun r = Datlib({"build", dir / "p/project.yaml", "-o", dir / "out/dat.lib"});
  ASSERT_EQ(r.code, 0) << r.err;
  r = Datlib({"ls", dir / "out/dat.lib"});
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("GUT"), std::string::npos);
  r = Datlib({"dump", dir / "out/dat.lib", "-o", dir / "d"});
  ASSERT_EQ(r.code, 0) << r.err;
  r = Datlib({"build", dir / "d/project.yaml", "-o", dir / "out/again.lib"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(dir.Read("out/dat.lib"), dir.Read("out/again.lib"));
  r = Datlib({"check", dir / "out/dat.lib"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.err.find("warning: unused"), std::string::npos);  // the chain
}

TEST(DatlibCli, InputErrorsExitWithOne) {
  ScratchDir dir;
  dir.Write("bad.lib", "not a library");
  const CliRun ls = Datlib({"ls", dir / "bad.lib"});
  EXPECT_EQ(ls.code, 1);
  EXPECT_NE(ls.err.find("not a data library"), std::string::npos);
  EXPECT_EQ(Datlib({"check", dir / "missing.lib"}).code, 1);
  EXPECT_EQ(Datlib({"dump", dir / "bad.lib", "-o", dir / "d"}).code, 1);
  dir.Write("p.yaml", "title: x\nresources: [{type: map}]\n");
  const CliRun build = Datlib({"build", dir / "p.yaml", "-o", dir / "o.lib"});
  EXPECT_EQ(build.code, 1);
  EXPECT_NE(build.err.find(dir / "p.yaml" + ":2:"), std::string::npos) << build.err;
}

}  // namespace
}  // namespace datlib
