#include "core/app/launcher/CVozuDeziApp.h"

#include <gtest/gtest.h>

#include "LauncherFakes.h"

namespace vz::test {
namespace {

TEST(StartMode, OnlyTrimmedExactDashHhHides) {
  struct Case {
    const char* line;
    int mode;
  } cases[] = {
      {"-hh", kHiddenStart},
      {"  -hh\t", kHiddenStart},
      {"\t-hh\r\n", kHiddenStart},
      {"\xE3\x80\x80-hh\xE3\x80\x80", kHiddenStart},  // ideographic spaces
      {"-HH", kNormalStart},
      {"/hh", kNormalStart},
      {"hh", kNormalStart},
      {"-hh x", kNormalStart},
      {"-h h", kNormalStart},
      {"", kNormalStart},
      {"   ", kNormalStart},
      {"-hh\xFF", kNormalStart},
  };
  for (const auto& c : cases) EXPECT_EQ(StartModeFromCommandLine(c.line), c.mode) << c.line;
  EXPECT_EQ(TrimCommandLine(" \xE4\xB8\xAD "), "\xE4\xB8\xAD");
}

TEST(App, NormalStartShowsHiddenStartDoesNot) {
  LauncherFixture f;
  CVozuDeziApp app;
  EXPECT_TRUE(app.InitInstance(" -hh ", f.Deps(), "/opt/vz/"));
  EXPECT_EQ(app.CommandLine(), "-hh");
  EXPECT_FALSE(f.view.visible);
  EXPECT_TRUE(f.tray.present);
  EXPECT_EQ(f.windows.loginCreated, 0);
  EXPECT_EQ(f.timers.running.count(1002), 1u);
  app.Reset();

  LauncherFixture g;
  CVozuDeziApp app2;
  EXPECT_TRUE(app2.InitInstance("", g.Deps(), "/opt/vz/"));
  EXPECT_TRUE(g.view.visible);
  EXPECT_EQ(g.windows.loginCreated, 1);
  EXPECT_FALSE(g.windows.login->visible);
}

}  // namespace
}  // namespace vz::test
