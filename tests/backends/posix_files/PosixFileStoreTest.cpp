#include "backends/posix/files/PosixFileStore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "backends/posix/IconvCodePage.h"
#include "backends/posix/files/ExecutablePath.h"
#include "core/app/settings/ProfileFile.h"
#include "core/app/settings/Settings.h"

namespace vz::posix {
namespace {

namespace fs = std::filesystem;

class PosixFileStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "vz-files-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(dir_, ignored);
  }

  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

  static void WriteRaw(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string ReadRaw(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static unsigned ModeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
  }
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  fs::path dir_;
  PosixFileStore store_;
};

TEST_F(PosixFileStoreTest, ReadsWithinTheBound) {
  const std::string path = PathOf("static.ini");
  WriteRaw(path, "[kv]\nuid=1\n");
  struct Case {
    std::size_t maxBytes;
    ReadStatus status;
  } cases[] = {
      {100, ReadStatus::Ok},
      {11, ReadStatus::Ok},  // exactly the size
      {10, ReadStatus::TooLarge},
      {0, ReadStatus::TooLarge},
  };
  for (const auto& c : cases) {
    const ReadResult read = store_.ReadFile(path, c.maxBytes);
    EXPECT_EQ(read.status, c.status) << c.maxBytes;
    EXPECT_EQ(read.bytes, c.status == ReadStatus::Ok ? "[kv]\nuid=1\n" : "") << c.maxBytes;
  }
}

TEST_F(PosixFileStoreTest, LargeFileIsNotLoaded) {
  const std::string path = PathOf("big.ini");
  WriteRaw(path, std::string(ProfileFile::kMaxFileBytes + 1, 'x'));
  const ReadResult read = store_.ReadFile(path, ProfileFile::kMaxFileBytes);
  EXPECT_EQ(read.status, ReadStatus::TooLarge);
  EXPECT_TRUE(read.bytes.empty());
  EXPECT_EQ(store_.ReadFile(path, ProfileFile::kMaxFileBytes + 1).bytes.size(),
            ProfileFile::kMaxFileBytes + 1);
  EXPECT_EQ(store_.ReadFile(PathOf("empty"), 10).status, ReadStatus::Missing);
  WriteRaw(PathOf("empty"), "");
  EXPECT_EQ(store_.ReadFile(PathOf("empty"), 10).status, ReadStatus::Ok);
}

TEST_F(PosixFileStoreTest, FilesWithoutASizeAreStillBounded) {
  // /proc files report size 0 and are read until their end.
  const ReadResult whole = store_.ReadFile("/proc/self/status", 1 << 20);
  ASSERT_EQ(whole.status, ReadStatus::Ok);
  EXPECT_NE(whole.bytes.find("Umask:"), std::string::npos);
  EXPECT_EQ(store_.ReadFile("/proc/self/status", 10).status, ReadStatus::TooLarge);
}

TEST_F(PosixFileStoreTest, ReportsWhatCannotBeRead) {
  struct Case {
    std::string path;
    ReadStatus status;
  } cases[] = {
      {PathOf("missing.ini"), ReadStatus::Missing},
      {PathOf("missing-dir/static.ini"), ReadStatus::Missing},
      {dir_.string(), ReadStatus::Unreadable},
  };
  for (const auto& c : cases) EXPECT_EQ(store_.ReadFile(c.path, 100).status, c.status) << c.path;

  const std::string fifo = PathOf("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(store_.ReadFile(fifo, 100).status, ReadStatus::Unreadable);  // and does not hang
}

TEST_F(PosixFileStoreTest, AtomicWriteReplacesContentAndKeepsPermissions) {
  const std::string path = PathOf("static.ini");
  WriteRaw(path, "old content that is longer than the new one\n");
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(store_.WriteFileAtomically(path, "[kv]\nstart=1\n"));
  EXPECT_EQ(ReadRaw(path), "[kv]\nstart=1\n");
  EXPECT_EQ(ModeOf(path), 0640u);
  EXPECT_EQ(Names(), std::set<std::string>{"static.ini"});
}

TEST_F(PosixFileStoreTest, NewFileFollowsTheUmask) {
  const mode_t previous = umask(027);
  const bool written = store_.WriteFileAtomically(PathOf("static.ini"), "x");
  umask(previous);
  ASSERT_TRUE(written);
  EXPECT_EQ(ModeOf(PathOf("static.ini")), 0640u);
  EXPECT_EQ(Names(), std::set<std::string>{"static.ini"});
}

TEST_F(PosixFileStoreTest, WritesAndReadsBackLargeAndBinaryContent) {
  std::string bytes;
  for (int i = 0; i < (1 << 20); ++i) bytes += static_cast<char>(i * 7);
  const std::string path = PathOf("blob");
  ASSERT_TRUE(store_.WriteFileAtomically(path, bytes));
  const ReadResult read = store_.ReadFile(path, bytes.size());
  EXPECT_EQ(read.status, ReadStatus::Ok);
  EXPECT_TRUE(read.bytes == bytes);
}

TEST_F(PosixFileStoreTest, WritesThroughASymbolicLink) {
  const std::string real = PathOf("real.ini");
  const std::string link = PathOf("static.ini");
  WriteRaw(real, "old");
  ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
  ASSERT_TRUE(store_.WriteFileAtomically(link, "new"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadRaw(real), "new");
  EXPECT_EQ(Names(), (std::set<std::string>{"real.ini", "static.ini"}));
}

TEST_F(PosixFileStoreTest, FailsWhereNothingCanBeCreated) {
  WriteRaw(PathOf("plain"), "a file, not a folder");
  const std::string paths[] = {PathOf("plain/static.ini"), PathOf("missing-dir/static.ini"),
                               dir_.string()};
  for (const auto& path : paths) EXPECT_FALSE(store_.WriteFileAtomically(path, "x")) << path;
  EXPECT_EQ(ReadRaw(PathOf("plain")), "a file, not a folder");
  EXPECT_EQ(Names(), std::set<std::string>{"plain"});
}

TEST_F(PosixFileStoreTest, ReadOnlyFolderFailsAndKeepsTheFile) {
  if (geteuid() == 0) GTEST_SKIP() << "permission bits do not stop root from writing";
  const std::string path = PathOf("static.ini");
  WriteRaw(path, "old");
  ASSERT_EQ(chmod(dir_.c_str(), 0555), 0);
  EXPECT_FALSE(store_.WriteFileAtomically(path, "new"));
  ASSERT_EQ(chmod(dir_.c_str(), 0755), 0);
  EXPECT_EQ(ReadRaw(path), "old");
  EXPECT_EQ(Names(), std::set<std::string>{"static.ini"});
}

TEST_F(PosixFileStoreTest, ReadOnlyFileIsLeftAlone) {
  if (geteuid() == 0) GTEST_SKIP() << "permission bits do not stop root from writing";
  const std::string path = PathOf("static.ini");
  WriteRaw(path, "old");
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  EXPECT_FALSE(store_.WriteFileAtomically(path, "new"));
  EXPECT_EQ(ReadRaw(path), "old");
}

TEST_F(PosixFileStoreTest, LoadsGbkSettingsAndRewritesThemAsUtf8) {
  const std::string path = PathOf("static.ini");
  // 中文 and 你_好.exe in GBK
  WriteRaw(path, "[kv]\r\nhotName=\xD6\xD0\xCE\xC4\r\nfilename=\xC4\xE3_\xBA\xC3.exe\r\n");
  ASSERT_EQ(chmod(path.c_str(), 0604), 0);
  const IconvCodePage gbk;
  const Settings settings = LoadSettings(path, store_, gbk);
  EXPECT_EQ(settings.hotName, "\xE4\xB8\xAD\xE6\x96\x87");
  EXPECT_EQ(settings.uid, "\xE4\xBD\xA0");
  EXPECT_EQ(settings.suid, "\xE5\xA5\xBD");
  EXPECT_EQ(ReadRaw(path),
            "[kv]\r\nhotName=\xE4\xB8\xAD\xE6\x96\x87\r\nfilename=\xE5\xA5\xBD\r\nstart=1\r\n"
            "uid=\xE4\xBD\xA0\r\n");
  EXPECT_EQ(ModeOf(path), 0604u);
  EXPECT_EQ(Names(), std::set<std::string>{"static.ini"});
}

TEST_F(PosixFileStoreTest, HugeSettingsFileIsLeftUntouched) {
  const std::string path = PathOf("static.ini");
  const std::string bytes = "[kv]\nuid=5\n" + std::string(ProfileFile::kMaxFileBytes, ';');
  WriteRaw(path, bytes);
  const IconvCodePage gbk;
  const Settings settings = LoadSettings(path, store_, gbk);
  EXPECT_EQ(settings.uid, "");
  EXPECT_EQ(settings.hotKey, 121u);
  EXPECT_TRUE(ReadRaw(path) == bytes);
}

TEST_F(PosixFileStoreTest, MissingSettingsFileIsCreated) {
  const std::string path = PathOf("static.ini");
  const IconvCodePage gbk;
  LoadSettings(path, store_, gbk);
  EXPECT_EQ(ReadRaw(path), "[kv]\nstart=1\nfilename=\nuid=\n");
}

TEST(ExecutablePath, NamesThisProgram) {
  const std::string path = ExecutablePath();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.front(), '/');
  EXPECT_TRUE(fs::equivalent(path, "/proc/self/exe"));
  EXPECT_TRUE(fs::is_directory(GetModuleDir(path)));
}

}  // namespace
}  // namespace vz::posix
