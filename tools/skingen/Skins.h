#pragma once

#include <filesystem>

#include "tools/skingen/Paint.h"

namespace skingen {

// Writes png/<id>.png after checking the picture against its table size.
void SavePicture(const Image& image, const std::filesystem::path& outDir, int id);

// Puts equal frames one below the other (vertical) or side by side.
Image Strip(const Image* frames, int count, bool vertical);

void WriteLauncherSkins(const std::filesystem::path& outDir);
void WriteGameSkins(const std::filesystem::path& outDir);
void WriteDialogSkins(const std::filesystem::path& outDir);
void WriteIcon(const std::filesystem::path& outDir);

// The winged shield with a star, shared by the launcher, the logo and the icon. The emblem is
// drawn in its own unit space (shield from y -24 to 24), where `fill` is interpreted.
void DrawEmblem(cairo_t* cr, double cx, double cy, double scale, cairo_pattern_t* fill,
                const Rgba& line, bool wings);

}  // namespace skingen
