// The committed pictures are exactly what the generator draws, and it draws the same bytes
// on every run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::set<std::string> Files(const fs::path& root) {
  std::set<std::string> out;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file() && entry.path().extension() == ".png") {
      out.insert(fs::relative(entry.path(), root).string());
    }
  }
  return out;
}

class SkinGenerator : public ::testing::Test {
 protected:
  void SetUp() override {
    // A fresh directory per run: other builds of the tree may run these tests at the same time.
    std::string pattern = (fs::temp_directory_path() / "vozudezi-skingen-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    if (!dir_.empty()) fs::remove_all(dir_, ignored);
  }

  fs::path Generate(const std::string& name) {
    const fs::path out = dir_ / name;
    const std::string command = std::string("'") + VZ_SKINGEN + "' '" + out.string() + "' > '" +
                                (dir_ / "log").string() + "' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << ReadFile(dir_ / "log");
    return out;
  }

  fs::path dir_;
};

TEST_F(SkinGenerator, DrawsEveryPictureAndTheIcon) {
  const fs::path out = Generate("a");
  std::set<std::string> expected{"icon/148.png"};
  for (int id = 131; id <= 160; ++id) {
    if (id != 141 && id != 148) expected.insert("png/" + std::to_string(id) + ".png");
  }
  EXPECT_EQ(Files(out), expected);
}

TEST_F(SkinGenerator, IsDeterministicAndMatchesTheCommittedPictures) {
  const fs::path first = Generate("first");
  const fs::path second = Generate("second");
  const fs::path committed = VZ_RES_DIR;
  const std::set<std::string> files = Files(first);
  ASSERT_FALSE(files.empty());
  EXPECT_EQ(Files(second), files);
  EXPECT_EQ(Files(committed), files);
  for (const std::string& file : files) {
    const std::string bytes = ReadFile(first / file);
    EXPECT_EQ(bytes, ReadFile(second / file)) << file << " differs between two runs";
    EXPECT_EQ(bytes, ReadFile(committed / file))
        << file << " differs from res/; redraw with the vozudezi_regen_skins target";
  }
}

TEST_F(SkinGenerator, RejectsAMissingArgument) {
  const std::string command = std::string("'") + VZ_SKINGEN + "' > /dev/null 2>&1";
  EXPECT_NE(std::system(command.c_str()), 0);
}

}  // namespace
