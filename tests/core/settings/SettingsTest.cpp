#include "core/app/settings/Settings.h"

#include <gtest/gtest.h>

#include <string>

#include "core/app/settings/ProfileFile.h"
#include "core/text/Utf8.h"
#include "tests/core/settings/Fakes.h"

namespace vz {
namespace {

using namespace std::string_literals;

constexpr char kIni[] = "/opt/client/static.ini";

class LoadSettingsTest : public ::testing::Test {
 protected:
  Settings Load() { return LoadSettings(kIni, files, gbk); }
  void Store(std::string bytes) { files.files[kIni] = std::move(bytes); }
  const std::string& Stored() { return files.files[kIni]; }
  bool Exists() const { return files.files.count(kIni) != 0; }

  testing::FakeFileStore files;
  testing::FakeGbkCodePage gbk;
};

TEST(SplitStoredFileName, Table) {
  struct Case {
    std::string name;
    std::string uid;
    std::string remainder;
  } cases[] = {
      {"12345_abc.exe", "12345", "abc"},
      {"12345.exe", "12345", ""},
      {"a_b_c.d.exe", "a", "b_c.d"},
      {"_x.exe", "", "x"},
      {"a.b_c", "a", ""},
      {"", "", ""},
      {"12345_abc", "12345", "abc"},
      {".exe", "", ""},
      {"a_", "a", ""},
  };
  for (const auto& c : cases) {
    const auto [uid, remainder] = SplitStoredFileName(c.name);
    EXPECT_EQ(uid, c.uid) << c.name;
    EXPECT_EQ(remainder, c.remainder) << c.name;
  }
}

TEST_F(LoadSettingsTest, FirstStartThenSecondRun) {
  Store("[kv]\nfilename=12345_abc.exe\n");
  const Settings first = Load();
  EXPECT_EQ(first.uid, "12345");
  EXPECT_EQ(first.suid, "abc");
  EXPECT_EQ(files.writes, 1);
  EXPECT_EQ(Stored(), "[kv]\nfilename=abc\nstart=1\nuid=12345\n");

  const Settings second = Load();
  EXPECT_EQ(second.uid, "12345");
  EXPECT_EQ(second.suid, "abc");
  EXPECT_EQ(files.writes, 1);
  EXPECT_EQ(files.reads, 2);
}

TEST_F(LoadSettingsTest, EmptyFirstStartOverwritesStoredUid) {
  Store("[kv]\nuid=777\n");
  const Settings settings = Load();
  EXPECT_EQ(settings.uid, "");
  EXPECT_EQ(settings.suid, "");
  EXPECT_EQ(Stored(), "[kv]\nuid=\nstart=1\nfilename=\n");
}

TEST_F(LoadSettingsTest, StartedFileIsNotSplit) {
  Store("[kv]\nstart=1\nfilename=12345_abc.exe\nuid=9\n");
  const Settings settings = Load();
  EXPECT_EQ(settings.suid, "12345_abc.exe");
  EXPECT_EQ(settings.uid, "9");
  EXPECT_EQ(files.writes, 0);
}

TEST_F(LoadSettingsTest, MissingFileGivesDefaultsAndIsCreated) {
  const Settings settings = Load();
  EXPECT_EQ(settings.hotKey, 121u);
  EXPECT_EQ(settings.hotName, "F10");
  EXPECT_EQ(settings.uid, "");
  EXPECT_EQ(settings.suid, "");
  EXPECT_EQ(files.writes, 1);
  EXPECT_EQ(Stored(), "[kv]\nstart=1\nfilename=\nuid=\n");
}

TEST_F(LoadSettingsTest, StartValueDecidesTheFirstStart) {
  struct Case {
    std::string start;
    bool firstStart;
  } cases[] = {
      {"1", false},     {"+1", false}, {"01", false}, {"1x", false},
      {"\"1\"", false}, {"abc", true}, {"", true},    {"0", true},
      {"2", true},      {"-1", true},  {"x1", true},  {"4294967297", true},
  };
  for (const auto& c : cases) {
    files = {};
    Store("[kv]\nstart=" + c.start + "\nfilename=5_a.exe\nuid=u\n");
    const Settings settings = Load();
    EXPECT_EQ(files.writes, c.firstStart ? 1 : 0) << c.start;
    EXPECT_EQ(settings.uid, c.firstStart ? "5" : "u") << c.start;
    if (c.firstStart) {
      EXPECT_EQ(Stored(), "[kv]\nstart=1\nfilename=a\nuid=5\n") << c.start;
    }
  }
}

TEST_F(LoadSettingsTest, ConvertsTheHotKeyText) {
  struct Case {
    std::string line;  // the whole "hotkey" line, or nothing
    std::uint32_t hotKey;
  } cases[] = {
      {"", 121u},
      {"hotkey=121", 121u},
      {"hotkey=", kNoHotKey},
      {"hotkey=\"\"", kNoHotKey},
      {"hotkey=abc", 0u},
      {"hotkey=\" -5\"", 0xFFFFFFFBu},
      {"hotkey=+7x", 7u},
      {"hotkey=99999999999", 0x7FFFFFFFu},
      {"hotkey=-99999999999", 0x80000000u},
      {"hotkey=0x10", 0u},
      {"hotkey=-1", kNoHotKey},
      {"hotkey=393306", 0x0006005Au},  // Ctrl+Alt+Z
  };
  for (const auto& c : cases) {
    files = {};
    Store("[kv]\n" + c.line + "\nhotName=Boss\nstart=1\n");
    const Settings settings = Load();
    EXPECT_EQ(settings.hotKey, c.hotKey) << c.line;
    EXPECT_EQ(settings.hotName, "Boss") << c.line;
  }
}

TEST(ParseHotKeyText, Table) {
  struct Case {
    std::string text;
    std::uint32_t value;
  } cases[] = {
      {"121", 121u},
      {"", 0u},
      {"abc", 0u},
      {" -5", 0xFFFFFFFBu},
      {"\t\n+7x", 7u},
      {"99999999999", 0x7FFFFFFFu},
      {"-99999999999", 0x80000000u},
      {"0x10", 0u},
      {"393306", 0x0006005Au},
      {"- 5", 0u},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseHotKeyText(c.text), c.value) << c.text;
}

TEST(MapHotKeyModifiers, Table) {
  struct Case {
    std::uint32_t hotKey;
    HotKeyRegistration registration;
  } cases[] = {
      {121u, {0, 121}},
      {0x0006005Au, {MOD_CONTROL | MOD_ALT, 0x5A}},
      {0x00010041u, {MOD_SHIFT, 0x41}},
      {0x00020041u, {MOD_CONTROL, 0x41}},
      {0x00040041u, {MOD_ALT, 0x41}},
      {0x00080070u, {0, 0x70}},  // extended key flag dropped
      {0x000F0070u, {MOD_SHIFT | MOD_CONTROL | MOD_ALT, 0x70}},
      {0x0001FFFFu, {MOD_SHIFT, 0xFFFF}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MapHotKeyModifiers(c.hotKey), c.registration) << std::hex << c.hotKey;
  }
  EXPECT_EQ(MOD_ALT, 0x0001u);
  EXPECT_EQ(MOD_CONTROL, 0x0002u);
  EXPECT_EQ(MOD_SHIFT, 0x0004u);
}

TEST_F(LoadSettingsTest, NamesIgnoreLetterCase) {
  Store("[KV]\nHOTKEY=122\nHotname=F11\nSTART=1\nFileName=x\nUID=y\n");
  const Settings settings = Load();
  EXPECT_EQ(settings.hotKey, 122u);
  EXPECT_EQ(settings.hotName, "F11");
  EXPECT_EQ(settings.suid, "x");
  EXPECT_EQ(settings.uid, "y");
}

TEST_F(LoadSettingsTest, FirstStartRewritesKeysInTheirOwnSpelling) {
  Store("[Kv]\nStart=0\nFILENAME=1_a.exe\n");
  Load();
  EXPECT_EQ(Stored(), "[Kv]\nStart=1\nFILENAME=a\nuid=1\n");
}

TEST_F(LoadSettingsTest, ValuesAreCutTo259Characters) {
  std::string name;
  for (int i = 0; i < 300; ++i) name += "\xE4\xB8\xAD";  // 中
  Store("[kv]\nstart=1\nfilename=" + name + "\nuid=" + std::string(300, '7') + "\n");
  const Settings settings = Load();
  EXPECT_EQ(utf8::Length(settings.suid), 259u);
  EXPECT_EQ(settings.suid, name.substr(0, 259 * 3));
  EXPECT_EQ(settings.uid, std::string(259, '7'));
}

TEST_F(LoadSettingsTest, QuotedValues) {
  Store("[kv]\nfilename=\"12345_abc.exe\"\nhotName='Ctrl + Q'\n");
  const Settings settings = Load();
  EXPECT_EQ(settings.uid, "12345");
  EXPECT_EQ(settings.suid, "abc");
  EXPECT_EQ(settings.hotName, "Ctrl + Q");
}

TEST_F(LoadSettingsTest, FirstStartKeepsEverythingElse) {
  const std::string before =
      "; client settings\r\n"
      "[endpoints]\r\n"
      "platform = https://p.example/\r\n"
      "\r\n"
      "[kv]\r\n"
      "hotkey=121\r\n"
      "# boss key name\r\n"
      "hotName = F10\r\n"
      "filename = \"12345_abc.exe\"  \r\n"
      "stray line without equals\r\n"
      "\r\n"
      "[other]\r\n"
      "uid=keep\r\n"
      "start=keep\r\n";
  Store(before);
  Load();
  const std::string after =
      "; client settings\r\n"
      "[endpoints]\r\n"
      "platform = https://p.example/\r\n"
      "\r\n"
      "[kv]\r\n"
      "hotkey=121\r\n"
      "# boss key name\r\n"
      "hotName = F10\r\n"
      "filename = abc\r\n"
      "start=1\r\n"
      "uid=12345\r\n"
      "stray line without equals\r\n"
      "\r\n"
      "[other]\r\n"
      "uid=keep\r\n"
      "start=keep\r\n";
  EXPECT_EQ(Stored(), after);
}

TEST_F(LoadSettingsTest, KeepsByteOrderMark) {
  Store("\xEF\xBB\xBF[kv]\r\nfilename=1_a.exe\r\n");
  const Settings settings = Load();
  EXPECT_EQ(settings.uid, "1");
  EXPECT_EQ(Stored(), "\xEF\xBB\xBF[kv]\r\nfilename=a\r\nstart=1\r\nuid=1\r\n");
}

TEST_F(LoadSettingsTest, GbkFileIsReadAndRewrittenAsUtf8) {
  Store("[kv]\r\nhotName=\xD6\xD0\xCE\xC4\r\nfilename=\xC4\xE3_\xBA\xC3.exe\r\n");
  const Settings settings = Load();
  EXPECT_EQ(settings.hotName, "\xE4\xB8\xAD\xE6\x96\x87");  // 中文
  EXPECT_EQ(settings.uid, "\xE4\xBD\xA0");                  // 你
  EXPECT_EQ(settings.suid, "\xE5\xA5\xBD");                 // 好
  EXPECT_EQ(Stored(),
            "[kv]\r\nhotName=\xE4\xB8\xAD\xE6\x96\x87\r\nfilename=\xE5\xA5\xBD\r\nstart=1\r\n"
            "uid=\xE4\xBD\xA0\r\n");
  Load();
  EXPECT_EQ(files.writes, 1);
}

TEST_F(LoadSettingsTest, UndecodableFileIsNeverRewritten) {
  const std::string bytes = "[kv]\nhotName=\xFF\x80\nfilename=1_a.exe\n";
  Store(bytes);
  const Settings settings = Load();
  EXPECT_EQ(settings.uid, "1");
  EXPECT_EQ(settings.suid, "a");
  EXPECT_EQ(settings.hotName, "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(files.writes, 0);
  EXPECT_EQ(Stored(), bytes);
}

TEST_F(LoadSettingsTest, HugeFileIsTreatedAsMissingAndKept) {
  const std::string bytes =
      "[kv]\nstart=1\nhotkey=5\nuid=5\n" + std::string(ProfileFile::kMaxFileBytes, ';');
  Store(bytes);
  const Settings settings = Load();
  EXPECT_EQ(settings.hotKey, 121u);
  EXPECT_EQ(settings.uid, "");
  EXPECT_EQ(settings.suid, "");
  EXPECT_EQ(files.writes, 0);
  EXPECT_EQ(Stored(), bytes);
}

TEST_F(LoadSettingsTest, UnreadableFileIsNotReplaced) {
  files.unreadable = true;
  const Settings settings = Load();
  EXPECT_EQ(settings.hotKey, 121u);
  EXPECT_EQ(files.writes, 0);
}

TEST_F(LoadSettingsTest, TruncatedFile) {
  Store("[kv]\r\nhotkey=122\r\nfilena");
  const Settings settings = Load();
  EXPECT_EQ(settings.hotKey, 122u);
  EXPECT_EQ(Stored(), "[kv]\r\nhotkey=122\r\nstart=1\r\nfilename=\r\nuid=\r\nfilena");

  files = {};
  Store("[kv]\nfilename=12_\xE4\xB8\xAD\xE4\xB8");  // cut inside a UTF-8 character
  EXPECT_EQ(Load().uid, "12");
  EXPECT_EQ(files.writes, 1);
  EXPECT_EQ(Load().suid, "\xE4\xB8\xAD\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST_F(LoadSettingsTest, FailedWriteIsSilentAndRepeatedNextRun) {
  Store("[kv]\nfilename=12345_abc.exe\n");
  files.failWrites = true;
  const Settings settings = Load();
  EXPECT_EQ(settings.uid, "12345");
  EXPECT_EQ(settings.suid, "abc");
  Load();
  EXPECT_EQ(files.writes, 2);
  EXPECT_EQ(Stored(), "[kv]\nfilename=12345_abc.exe\n");
}

TEST_F(LoadSettingsTest, EndpointDefaults) {
  Store("[kv]\nstart=1\n");
  const Endpoints endpoints = Load().endpoints;
  EXPECT_EQ(endpoints.platform, "http://127.0.0.1:18080");
  EXPECT_EQ(endpoints.game, "http://127.0.0.1:18081");
  EXPECT_EQ(endpoints.pay, "http://127.0.0.1:18082");
  EXPECT_EQ(endpoints.log, "http://127.0.0.1:18083");
  EXPECT_EQ(endpoints.service, "127.0.0.1:18084");
}

TEST_F(LoadSettingsTest, EndpointOverrides) {
  Store(
      "[EndPoints]\n"
      "PLATFORM = https://platform.example/\n"
      "game=https://game.example//\n"
      "pay=\n"
      "log=/\n"
      "service=cs.example:9000\n"
      "[kv]\nstart=1\n");
  const Endpoints endpoints = Load().endpoints;
  EXPECT_EQ(endpoints.platform, "https://platform.example");
  EXPECT_EQ(endpoints.game, "https://game.example/");  // one slash only
  EXPECT_EQ(endpoints.pay, "http://127.0.0.1:18082");
  EXPECT_EQ(endpoints.log, "http://127.0.0.1:18083");
  EXPECT_EQ(endpoints.service, "cs.example:9000");
}

TEST_F(LoadSettingsTest, EndpointsAreNeverWritten) {
  Load();
  EXPECT_EQ(Stored().find("endpoints"), std::string::npos);
  EXPECT_EQ(Stored().find("18080"), std::string::npos);
}

TEST(GetModuleDir, Table) {
  struct Case {
    std::string path;
    std::string dir;
  } cases[] = {
      {"/opt/client/vozudezi", "/opt/client/"},
      {"/vozudezi", "/"},
      {"C:\\Games\\client.exe", "C:\\Games\\"},
      {"/a/b\\c", "/a/b\\"},
      {"vozudezi", ""},
      {"", ""},
      {"/opt/client/", "/opt/client/"},
  };
  for (const auto& c : cases) EXPECT_EQ(GetModuleDir(c.path), c.dir) << c.path;
  EXPECT_EQ(GetModuleDir("/opt/client/vozudezi") + std::string(kSettingsFileName),
            "/opt/client/static.ini");
}

}  // namespace
}  // namespace vz
