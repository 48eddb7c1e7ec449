// The program icon: the emblem's shield on an indigo tile with a gold rim.
#include "tools/skingen/Skins.h"

namespace skingen {

void WriteIcon(const std::filesystem::path& outDir) {
  Image icon(48, 48);
  {
    Canvas cr(icon);
    Pattern tile(cairo_pattern_create_radial(24, 20, 2, 24, 24, 30));
    tile.Stop(0, Hex(0x4F6FE6));
    tile.Stop(0.55, Hex(0x1E2B78));
    tile.Stop(1, Hex(0x0A0F33));
    RoundedRect(cr, 2, 2, 44, 44, 10);
    cairo_set_source(cr, tile);
    cairo_fill_preserve(cr);
    Pattern rim(NewGold(2, 46));
    cairo_set_source(cr, rim);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    Pattern gold(NewGold(-30, 26));
    DrawEmblem(cr, 24, 25, 0.66, gold, Hex(0x2A1804), false);
  }
  icon.WritePng(outDir / "icon" / "148.png");
}

}  // namespace skingen
