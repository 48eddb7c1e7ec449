// vozudezi-skingen OUTPUT_DIR: draws every skin picture into OUTPUT_DIR/png/<id>.png and the
// program icon into OUTPUT_DIR/icon/148.png. The same machine always gets the same bytes.
#include <exception>
#include <filesystem>
#include <iostream>

#include "tools/skingen/Skins.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: vozudezi-skingen OUTPUT_DIR\n";
    return 2;
  }
  const std::filesystem::path out = argv[1];
  try {
    std::filesystem::create_directories(out / "png");
    std::filesystem::create_directories(out / "icon");
    skingen::WriteLauncherSkins(out);
    skingen::WriteGameSkins(out);
    skingen::WriteDialogSkins(out);
    skingen::WriteIcon(out);
  } catch (const std::exception& e) {
    std::cerr << "vozudezi-skingen: " << e.what() << "\n";
    return 1;
  }
  skingen::ShutdownText();
  return 0;
}
