#include "core/app/settings/ProfileFile.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "tests/core/settings/Fakes.h"

namespace vz {
namespace {

using namespace std::string_literals;

const testing::FakeGbkCodePage kGbk;

ProfileFile Parse(std::string_view bytes) { return ProfileFile::Parse(bytes, kGbk); }

std::string Repeat(std::string_view piece, std::size_t times) {
  std::string out;
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

TEST(ProfileFile, ReadsValues) {
  struct Case {
    std::string file;
    std::string section;
    std::string key;
    std::optional<std::string> value;
  } cases[] = {
      {"[kv]\nuid=1\n", "kv", "uid", "1"},
      {"[KV]\nUID=1\n", "kv", "uid", "1"},
      {"[kv]\nuid=1\n", "Kv", "UiD", "1"},
      {"  [ kv ]  \n \t uid  =  1 \t \n", "kv", "uid", "1"},
      {"[kv]\r\nuid=1\r\n", "kv", "uid", "1"},
      {"[kv]\nuid=1", "kv", "uid", "1"},
      {"[kv] ; note\nuid=1\n", "kv", "uid", "1"},
      {"[kv]\nuid=a=b\n", "kv", "uid", "a=b"},
      {"[kv]\nuid=\n", "kv", "uid", ""},
      {"[kv]\nuid=1\nuid=2\n", "kv", "uid", "1"},                           // first key wins
      {"[kv]\nuid=1\n[kv]\nuid=2\n", "kv", "uid", "1"},                     // first section wins
      {"[kv]\na=1\n[x]\nuid=1\n[kv]\nuid=2\n", "kv", "uid", std::nullopt},  // only the first
      {"[other]\nuid=1\n", "kv", "uid", std::nullopt},
      {"uid=1\n[kv]\n", "kv", "uid", std::nullopt},  // before any section
      {"[kv]\n;uid=1\n", "kv", "uid", std::nullopt},
      {"[kv]\n  # uid=1\n", "kv", "uid", std::nullopt},
      {"[kv]\nuid\n", "kv", "uid", std::nullopt},
      {"[kv\nuid=1\n", "kv", "uid", std::nullopt},  // not a section header
      {"[kv]\nuid=a\0b\n"s, "kv", "uid", "a"},      // a value ends at NUL
      {"[kv]\nuid=\xE4\xB8\xAD\xE6\x96\x87\n", "kv", "uid", "\xE4\xB8\xAD\xE6\x96\x87"},
      {"", "kv", "uid", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Parse(c.file).Get(c.section, c.key), c.value) << c.file;
  }
}

TEST(ProfileFile, RemovesOnePairOfMatchingQuotes) {
  struct Case {
    std::string stored;
    std::string value;
  } cases[] = {
      {"\"abc\"", "abc"},
      {"'abc'", "abc"},
      {"  \"abc\"  ", "abc"},
      {"\" a \"", " a "},
      {"\"\"", ""},
      {"\"", "\""},
      {"'", "'"},
      {"\"abc'", "\"abc'"},
      {"\"abc", "\"abc"},
      {"abc\"", "abc\""},
      {"\"\"abc\"\"", "\"abc\""},
      {"a\"b\"c", "a\"b\"c"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Parse("[kv]\nk=" + c.stored + "\n").Get("kv", "k"), c.value) << c.stored;
  }
}

TEST(ProfileFile, CutsValuesTo259CodePoints) {
  const std::string han = "\xE4\xB8\xAD";  // 中
  struct Case {
    std::string stored;
    std::string value;
  } cases[] = {
      {Repeat("a", 259), Repeat("a", 259)},
      {Repeat("a", 260), Repeat("a", 259)},
      {Repeat("a", 100000), Repeat("a", 259)},
      {Repeat(han, 300), Repeat(han, 259)},
      {"ab" + Repeat(han, 300), "ab" + Repeat(han, 257)},
      {"\"" + Repeat("a", 300) + "\"", Repeat("a", 259)},
  };
  for (const auto& c : cases) {
    const auto value = Parse("[kv]\nk=" + c.stored + "\n").Get("kv", "k");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, c.value) << c.stored.size();
  }
}

TEST(ProfileFile, ReadsIntegersLikeTheProfileApi) {
  struct Case {
    std::string text;
    std::int32_t value;
  } cases[] = {
      {"1", 1},
      {"0", 0},
      {"01", 1},
      {"+7x", 7},
      {"-5", -5},
      {" \t\n\v\f\r42", 42},
      {"abc", 0},
      {"", 0},
      {"-", 0},
      {"+-1", 0},
      {"0x10", 0},
      {"1 2", 1},
      {"2147483647", 2147483647},
      {"2147483648", 2147483647},
      {"99999999999", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"-99999999999", -2147483647 - 1},
      {Repeat("9", 5000), 2147483647},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseProfileInt(c.text), c.value) << c.text;
}

TEST(ProfileFile, GetIntFallsBackOnlyWhenMissingOrEmpty) {
  const ProfileFile file = Parse("[kv]\na=\nb=abc\nc=\"1\"\nd=  -3 \n");
  EXPECT_EQ(file.GetInt("kv", "a", -1), -1);
  EXPECT_EQ(file.GetInt("kv", "b", -1), 0);
  EXPECT_EQ(file.GetInt("kv", "c", -1), 1);
  EXPECT_EQ(file.GetInt("kv", "d", -1), -3);
  EXPECT_EQ(file.GetInt("kv", "missing", -1), -1);
  EXPECT_EQ(file.GetString("kv", "missing", "dflt"), "dflt");
  EXPECT_EQ(file.GetString("kv", "a", "dflt"), "");
}

TEST(ProfileFile, SetEditsInPlace) {
  struct Case {
    std::string before;
    std::string section;
    std::string key;
    std::string value;
    std::string after;
  } cases[] = {
      {"", "kv", "uid", "1", "[kv]\nuid=1\n"},
      {"[kv]\nuid=old\n", "kv", "uid", "1", "[kv]\nuid=1\n"},
      {"[KV]\r\n  UID = old  \r\n;c\r\n", "kv", "uid", "1", "[KV]\r\n  UID = 1\r\n;c\r\n"},
      {"[kv]\nuid=\n", "kv", "uid", "1", "[kv]\nuid=1\n"},
      {"[kv]\nuid=old", "kv", "uid", "1", "[kv]\nuid=1"},
      {"[kv]\na=1\n; note\n\n[x]\ny=2\n", "kv", "b", "1", "[kv]\na=1\nb=1\n; note\n\n[x]\ny=2\n"},
      {"[kv]\n; only a note\n[x]\n", "kv", "b", "1", "[kv]\nb=1\n; only a note\n[x]\n"},
      {"[kv]", "kv", "uid", "1", "[kv]\nuid=1\n"},
      {"[kv]\r\n", "kv", "uid", "1", "[kv]\r\nuid=1\r\n"},
      {"[kv]\na=1", "kv", "uid", "1", "[kv]\na=1\nuid=1\n"},
      {"[x]\ny=2", "kv", "uid", "1", "[x]\ny=2\n[kv]\nuid=1\n"},
      {"[x]\r\ny=2\r\n", "kv", "uid", "1", "[x]\r\ny=2\r\n[kv]\r\nuid=1\r\n"},
      {"[kv]\n[kv]\nuid=2\n", "kv", "uid", "1", "[kv]\nuid=1\n[kv]\nuid=2\n"},
      {"[kv]\nuid=old\n", "kv", "uid", " a", "[kv]\nuid=\" a\"\n"},
      {"[kv]\nuid=old\n", "kv", "uid", "\"q\"", "[kv]\nuid=\"\"q\"\"\n"},
      {"[kv]\nuid=old\n", "kv", "uid", "a\r\nb", "[kv]\nuid=a  b\n"},
      {"[kv]\nuid=old\n", "kv", "uid", "a\0b"s, "[kv]\nuid=a\n"},
  };
  for (const auto& c : cases) {
    ProfileFile file = Parse(c.before);
    file.Set(c.section, c.key, c.value);
    EXPECT_EQ(file.Serialize(), c.after) << c.before;
  }
}

TEST(ProfileFile, WrittenValuesReadBack) {
  const std::string values[] = {
      "", "1", "abc", " lead", "trail ", "\"", "'x'", "\"x\"", "a\"b", "\xE4\xB8\xAD\xE6\x96\x87",
  };
  for (const auto& value : values) {
    ProfileFile file = Parse("[kv]\nuid=old\n");
    file.Set("kv", "uid", value);
    file.Set("kv", "new", value);
    const ProfileFile again = Parse(*file.Serialize());
    EXPECT_EQ(again.Get("kv", "uid"), value);
    EXPECT_EQ(again.Get("kv", "new"), value);
  }
}

TEST(ProfileFile, KeepsByteOrderMark) {
  ProfileFile file = Parse("\xEF\xBB\xBF[kv]\r\nuid=1\r\n");
  EXPECT_TRUE(file.hasByteOrderMark());
  EXPECT_EQ(file.encoding(), ProfileFile::Encoding::Utf8);
  EXPECT_EQ(file.Get("kv", "uid"), "1");
  file.Set("kv", "uid", "2");
  EXPECT_EQ(file.Serialize(), "\xEF\xBB\xBF[kv]\r\nuid=2\r\n");

  ProfileFile plain = Parse("[kv]\nuid=1\n");
  EXPECT_FALSE(plain.hasByteOrderMark());
  plain.Set("kv", "uid", "2");
  EXPECT_EQ(plain.Serialize(), "[kv]\nuid=2\n");  // no mark added
}

TEST(ProfileFile, FallsBackToGbkAndWritesUtf8) {
  ProfileFile file = Parse("[kv]\r\nhotName=\xD6\xD0\xCE\xC4\r\n; \xC4\xE3\xBA\xC3\r\n");
  EXPECT_EQ(file.encoding(), ProfileFile::Encoding::Gbk);
  EXPECT_TRUE(file.writable());
  EXPECT_EQ(file.Get("kv", "hotName"), "\xE4\xB8\xAD\xE6\x96\x87");
  file.Set("kv", "start", "1");
  EXPECT_EQ(
      file.Serialize(),
      "[kv]\r\nhotName=\xE4\xB8\xAD\xE6\x96\x87\r\nstart=1\r\n; \xE4\xBD\xA0\xE5\xA5\xBD\r\n");
}

TEST(ProfileFile, UndecodableFileIsReadButNeverWritten) {
  const std::string files[] = {
      "[kv]\nuid=1\nhotName=\xFF\xFE\n",
      "\xFF\xFE[\0k\0v\0]\0"s,                  // UTF-16 is neither encoding
      "\xEF\xBB\xBF[kv]\nuid=1\nx=\xD6\xD0\n",  // a UTF-8 mark in front of GBK bytes
  };
  for (const auto& bytes : files) {
    ProfileFile file = Parse(bytes);
    EXPECT_EQ(file.encoding(), ProfileFile::Encoding::Undecodable);
    EXPECT_FALSE(file.writable());
    file.Set("kv", "uid", "2");
    EXPECT_EQ(file.Serialize(), std::nullopt);
  }
  const ProfileFile file = Parse(files[0]);
  EXPECT_EQ(file.Get("kv", "uid"), "1");
  EXPECT_EQ(file.Get("kv", "hotName"), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(ProfileFile, Utf8CutInsideACharacterStaysUtf8) {
  // E4 B8 would pass as one GBK character; the file is a truncated UTF-8 file.
  const std::string bytes = "[kv]\nuid=1\nhotName=\xE4\xB8\xAD\xE4\xB8";
  ProfileFile file = Parse(bytes);
  EXPECT_EQ(file.encoding(), ProfileFile::Encoding::Utf8);
  EXPECT_EQ(file.Get("kv", "hotName"), "\xE4\xB8\xAD\xEF\xBF\xBD\xEF\xBF\xBD");
  file.Set("kv", "start", "1");
  EXPECT_EQ(file.Serialize(),
            "[kv]\nuid=1\nhotName=\xE4\xB8\xAD\xEF\xBF\xBD\xEF\xBF\xBD\nstart=1\n");
}

TEST(ProfileFile, TooLargeIsUnavailable) {
  const std::string bytes = "[kv]\nuid=1\n" + std::string(ProfileFile::kMaxFileBytes, ';');
  ProfileFile file = Parse(bytes);
  EXPECT_FALSE(file.writable());
  EXPECT_EQ(file.Get("kv", "uid"), std::nullopt);

  const ProfileFile unavailable = ProfileFile::Unavailable();
  EXPECT_EQ(unavailable.Serialize(), std::nullopt);
  EXPECT_EQ(ProfileFile().Serialize(), "");
}

TEST(ProfileFile, SurvivesHostileInput) {
  const std::string inputs[] = {
      std::string(1000, '\0'),
      "[kv]\nuid=" + std::string(2 * 1024 * 1024, 'x') + "\n",
      "[" + std::string(100000, '[') + "]\n" + std::string(100000, '='),
      std::string(200000, '\n'),
      std::string(100000, '\r'),
      "[kv]\nuid=\xF0\x9F",
      "[kv]\nuid=\xC0\xAF\xED\xA0\x80",
      "\xEF\xBB\xBF",
      "\xEF\xBB",
  };
  for (const auto& bytes : inputs) {
    ProfileFile file = Parse(bytes);
    file.Get("kv", "uid");
    file.Set("kv", "uid", "v");
    if (file.writable()) {
      EXPECT_EQ(Parse(*file.Serialize()).Get("kv", "uid"), "v");
    }
  }
}

TEST(ProfileFile, RandomTextRoundTrips) {
  // Texts made of the characters that matter to the syntax, so that most of them parse as
  // UTF-8 and exercise the editing paths.
  const std::string alphabet = "[]=;# \t\r\n\0kvuidKVUIDx\"'"s;
  std::mt19937 random(1234);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(random() % 80, ' ');
    for (char& c : bytes) c = alphabet[random() % alphabet.size()];
    ProfileFile file = Parse(bytes);
    ASSERT_TRUE(file.writable());
    const auto other = file.Get("x", "u");
    file.Set("kv", "uid", "value");
    const ProfileFile again = Parse(*file.Serialize());
    EXPECT_EQ(again.Get("kv", "uid"), "value") << ::testing::PrintToString(bytes);
    EXPECT_EQ(again.Get("x", "u"), other) << ::testing::PrintToString(bytes);
  }
}

TEST(ProfileFile, RandomBytesNeverCrash) {
  std::mt19937 random(99);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(random() % 200, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    ProfileFile file = Parse(bytes);
    file.Get("kv", "uid");
    file.Set("kv", "uid", "v");
    if (auto written = file.Serialize()) {
      EXPECT_EQ(Parse(*written).Get("kv", "uid"), "v");
    }
  }
}

}  // namespace
}  // namespace vz
