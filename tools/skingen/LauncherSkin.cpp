// The launcher: its whole picture (149) and the pictures of its six buttons, whose normal
// frames are cut from the very same rendering so that drawing them changes nothing.
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "tools/skingen/Skins.h"

namespace skingen {

namespace {

constexpr int kWidth = 1155;
constexpr int kHeight = 825;

struct Box {
  int left, top, right, bottom;
  int W() const { return right - left; }
  int H() const { return bottom - top; }
};

constexpr Box kBrowser{324, 284, 967, 682};
constexpr Box kClose{968, 211, 1023, 265};
constexpr Box kMinimise{928, 227, 967, 266};

struct Link {
  int id;
  Box box;
  const char* caption;
  // Centre of the caption, inside the part of the box no neighbour overlaps.
  double centre;
};

const Link kLinks[] = {
    {153, {343, 235, 497, 276}, "官网首页", 415},
    {133, {478, 235, 632, 276}, "账号充值", 555},
    {131, {614, 235, 768, 276}, "游戏论坛", 691},
    {139, {750, 235, 904, 276}, "客服中心", 831},
};
constexpr double kCaptionY = 255.5;
constexpr double kCrestX = 645.5;  // over the browser area's centre

struct States {
  int close = 0;
  int minimise = 0;
  int link[4] = {0, 0, 0, 0};
};

// The outline is the union of these shapes; each fills on its own, so their
// directions never cancel.
using Shape = std::function<void(cairo_t*)>;

void NotchedRect(cairo_t* cr, double l, double t, double r, double b, double n) {
  cairo_new_sub_path(cr);
  cairo_move_to(cr, l + n, t);
  cairo_line_to(cr, r - n, t);
  cairo_arc_negative(cr, r, t, n, kPi, kPi / 2);
  cairo_line_to(cr, r, b - n);
  cairo_arc_negative(cr, r, b, n, 3 * kPi / 2, kPi);
  cairo_line_to(cr, l + n, b);
  cairo_arc_negative(cr, l, b, n, 0, -kPi / 2);
  cairo_line_to(cr, l, t + n);
  cairo_arc_negative(cr, l, t, n, kPi / 2, 0);
  cairo_close_path(cr);
}

void Crest(cairo_t* cr) {
  const double c = kCrestX;
  // Left half from the base to the spire, then mirrored.
  cairo_new_sub_path(cr);
  cairo_move_to(cr, c - 318, 212);
  cairo_curve_to(cr, c - 300, 182, c - 268, 168, c - 226, 164);
  cairo_curve_to(cr, c - 196, 161, c - 178, 140, c - 172, 118);
  cairo_curve_to(cr, c - 150, 108, c - 96, 100, c - 64, 92);
  cairo_curve_to(cr, c - 44, 86, c - 34, 70, c - 30, 62);
  cairo_line_to(cr, c, 30);
  cairo_line_to(cr, c + 30, 62);
  cairo_curve_to(cr, c + 34, 70, c + 44, 86, c + 64, 92);
  cairo_curve_to(cr, c + 96, 100, c + 150, 108, c + 172, 118);
  cairo_curve_to(cr, c + 178, 140, c + 196, 161, c + 226, 164);
  cairo_curve_to(cr, c + 268, 168, c + 300, 182, c + 318, 212);
  cairo_close_path(cr);
}

void Pendant(cairo_t* cr) {
  const double c = kCrestX;
  cairo_new_sub_path(cr);
  cairo_move_to(cr, c - 210, 720);
  cairo_curve_to(cr, c - 150, 748, c - 70, 750, c - 30, 758);
  cairo_line_to(cr, c, 786);
  cairo_line_to(cr, c + 30, 758);
  cairo_curve_to(cr, c + 70, 752, c + 150, 748, c + 210, 720);
  cairo_close_path(cr);
}

void RightFin(cairo_t* cr) {
  cairo_new_sub_path(cr);
  cairo_move_to(cr, 1030, 318);
  cairo_curve_to(cr, 1062, 352, 1090, 392, 1096, 440);
  cairo_line_to(cr, 1078, 472);
  cairo_line_to(cr, 1096, 504);
  cairo_curve_to(cr, 1090, 552, 1062, 592, 1030, 626);
  cairo_close_path(cr);
}

constexpr double kMedallionX = 182;
constexpr double kMedallionY = 452;
constexpr double kMedallionR = 134;

std::vector<Shape> OutlineShapes() {
  return {
      [](cairo_t* cr) { NotchedRect(cr, 296, 200, 1040, 732, 22); },
      [](cairo_t* cr) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, 995.5, 238, 44, 0, 2 * kPi);
      },
      Crest,
      Pendant,
      RightFin,
      [](cairo_t* cr) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, kMedallionX, kMedallionY, kMedallionR, 0, 2 * kPi);
      },
      [](cairo_t* cr) {
        // Spikes behind the medallion, like a star on the launcher's flank.
        for (int i = 0; i < 7; ++i) {
          const double a = kPi * (0.55 + i * 0.15);
          const double tipR = (i % 2 == 0) ? kMedallionR + 34 : kMedallionR + 16;
          const double half = 0.13;
          cairo_new_sub_path(cr);
          cairo_move_to(cr, kMedallionX + (kMedallionR - 20) * std::cos(a - half),
                        kMedallionY + (kMedallionR - 20) * std::sin(a - half));
          cairo_line_to(cr, kMedallionX + tipR * std::cos(a), kMedallionY + tipR * std::sin(a));
          cairo_line_to(cr, kMedallionX + (kMedallionR - 20) * std::cos(a + half),
                        kMedallionY + (kMedallionR - 20) * std::sin(a + half));
          cairo_close_path(cr);
        }
      },
  };
}

// Fills (and optionally strokes) every shape on its own with the current source.
void PaintShapes(cairo_t* cr, const std::vector<Shape>& shapes, double grow) {
  for (const Shape& shape : shapes) {
    cairo_new_path(cr);
    shape(cr);
    if (grow > 0) {
      cairo_set_line_width(cr, grow * 2);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      cairo_stroke_preserve(cr);
    }
    cairo_fill(cr);
  }
}

void BodyLayer(const Image& body) {
  Canvas cr(body);
  Pattern base(cairo_pattern_create_radial(kCrestX, 430, 40, kCrestX, 430, 680));
  base.Stop(0, Hex(0x22307A));
  base.Stop(0.55, Hex(0x121A4E));
  base.Stop(1, Hex(0x070A24));
  cairo_set_source(cr, base);
  cairo_paint(cr);

  // A faint fret lattice, the kind carved into old wooden panels.
  cairo_set_line_width(cr, 1);
  cairo_set_source_rgba(cr, 0.55, 0.62, 1.0, 0.045);
  for (int y = 0; y < kHeight; y += 24) {
    for (int x = (y / 24) % 2 * 12; x < kWidth; x += 24) {
      cairo_move_to(cr, x + 0.5, y + 6.5);
      cairo_line_to(cr, x + 6.5, y + 0.5);
      cairo_line_to(cr, x + 12.5, y + 6.5);
      cairo_line_to(cr, x + 6.5, y + 12.5);
      cairo_close_path(cr);
    }
  }
  cairo_stroke(cr);
}

void GoldLine(cairo_t* cr, double x0, double x1, double y, double fade, double alpha) {
  Pattern p(cairo_pattern_create_linear(x0, 0, x1, 0));
  const double f = fade / (x1 - x0);
  p.Stop(0, Hex(0xE8C56A, 0));
  p.Stop(f, Hex(0xE8C56A, alpha));
  p.Stop(1 - f, Hex(0xE8C56A, alpha));
  p.Stop(1, Hex(0xE8C56A, 0));
  cairo_set_source(cr, p);
  cairo_rectangle(cr, x0, y, x1 - x0, 1);
  cairo_fill(cr);
}

void Diamond(cairo_t* cr, double cx, double cy, double r) {
  cairo_new_sub_path(cr);
  cairo_move_to(cr, cx, cy - r);
  cairo_line_to(cr, cx + r * 0.7, cy);
  cairo_line_to(cr, cx, cy + r);
  cairo_line_to(cr, cx - r * 0.7, cy);
  cairo_close_path(cr);
}

void DrawCrestContent(cairo_t* cr) {
  // Halo behind the title.
  Pattern halo(cairo_pattern_create_radial(kCrestX, 150, 10, kCrestX, 150, 260));
  halo.Stop(0, Hex(0x6E8CFF, 0.35));
  halo.Stop(1, Hex(0x6E8CFF, 0));
  cairo_set_source(cr, halo);
  Crest(cr);
  cairo_fill(cr);

  Pattern gold(NewGold(-30, 26));
  DrawEmblem(cr, kCrestX, 76, 0.5, gold, Hex(0x3A2508), true);

  Pattern titleGold(NewGold(112, 158, 1.05));
  EngravedText(cr, "ZelvoKiravel", {kSerif, 46, PANGO_WEIGHT_BOLD, 2}, kCrestX, 136, titleGold,
               Hex(0x2A1A05), 2.2);

  // Ribbon with the launcher's name.
  GoldLine(cr, kCrestX - 170, kCrestX + 170, 171, 60, 0.9);
  GoldLine(cr, kCrestX - 150, kCrestX + 150, 197, 60, 0.6);
  cairo_set_source_rgba(cr, 0.02, 0.03, 0.12, 0.55);
  cairo_rectangle(cr, kCrestX - 160, 173, 320, 23);
  cairo_fill(cr);
  SetColor(cr, Hex(0xE9D9B0));
  CentredText(cr, "官 方 登 录 器", {kSerif, 13, PANGO_WEIGHT_SEMIBOLD, 3}, kCrestX, 184.5);
  for (int side = -1; side <= 1; side += 2) {
    Diamond(cr, kCrestX + side * 74, 184.5, 4);
    SetColor(cr, Hex(0xE8C56A));
    cairo_fill(cr);
  }
}

void DrawMedallion(cairo_t* cr) {
  const double cx = kMedallionX;
  const double cy = kMedallionY;
  // Glowing core.
  Pattern core(cairo_pattern_create_radial(cx, cy - 10, 4, cx, cy, 104));
  core.Stop(0, Hex(0x9FC2FF));
  core.Stop(0.28, Hex(0x3C5FD8));
  core.Stop(0.75, Hex(0x15205F));
  core.Stop(1, Hex(0x0A0F33));
  cairo_set_source(cr, core);
  cairo_arc(cr, cx, cy, 104, 0, 2 * kPi);
  cairo_fill(cr);

  // Light rays from the centre.
  for (int i = 0; i < 24; ++i) {
    const double a = i * kPi / 12 + 0.07;
    cairo_move_to(cr, cx, cy);
    cairo_arc(cr, cx, cy, 104, a - 0.035, a + 0.035);
    cairo_close_path(cr);
  }
  Pattern rays(cairo_pattern_create_radial(cx, cy, 10, cx, cy, 104));
  rays.Stop(0, Hex(0xCFE0FF, 0.30));
  rays.Stop(1, Hex(0xCFE0FF, 0));
  cairo_set_source(cr, rays);
  cairo_fill(cr);

  // Rune ring.
  Pattern ringGold(NewGold(cy - 124, cy + 124));
  cairo_set_line_width(cr, 4);
  cairo_arc(cr, cx, cy, 106, 0, 2 * kPi);
  cairo_set_source(cr, ringGold);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 1.5);
  cairo_arc(cr, cx, cy, 122, 0, 2 * kPi);
  cairo_stroke(cr);
  cairo_set_source_rgba(cr, 0.02, 0.03, 0.12, 0.6);
  cairo_arc(cr, cx, cy, 120.5, 0, 2 * kPi);
  cairo_arc_negative(cr, cx, cy, 108.5, 2 * kPi, 0);
  cairo_fill(cr);
  for (int i = 0; i < 36; ++i) {
    const double a = i * kPi / 18;
    cairo_save(cr);
    cairo_translate(cr, cx + 114.5 * std::cos(a), cy + 114.5 * std::sin(a));
    cairo_rotate(cr, a + kPi / 2);
    SetColor(cr, Hex(0xE2BD62, 0.9));
    if (i % 3 == 0) {
      Diamond(cr, 0, 0, 4.2);
      cairo_fill(cr);
    } else {
      // Rune-like marks: a bar with a hook.
      cairo_set_line_width(cr, 1.2);
      cairo_move_to(cr, -2.5, -3.5);
      cairo_line_to(cr, -2.5, 3.5);
      cairo_move_to(cr, -2.5, (i % 2 == 0) ? -1 : 1);
      cairo_line_to(cr, 2.5, (i % 2 == 0) ? 2.5 : -2.5);
      cairo_stroke(cr);
    }
    cairo_restore(cr);
  }

  Glow(cr, kWidth, kHeight, 16, Hex(0xFFE3A0, 0.55), [&](cairo_t* m) {
    Pattern white(cairo_pattern_create_rgb(1, 1, 1));
    DrawEmblem(m, cx, cy + 8, 1.8, white, Hex(0xFFFFFF), true);
  });
  Pattern gold(NewGold(-30, 26));
  DrawEmblem(cr, cx, cy + 8, 1.8, gold, Hex(0x3A2508), true);
}

void DrawLinkBar(cairo_t* cr) {
  const double l = 306;
  const double r = 924;
  Pattern band(NewVertical(226, 281, Hex(0x0B1034, 0.92), Hex(0x18225C, 0.92)));
  cairo_set_source(cr, band);
  cairo_rectangle(cr, l, 226, r - l, 55);
  cairo_fill(cr);
  GoldLine(cr, l, r, 226, 90, 0.95);
  GoldLine(cr, l + 30, r - 30, 229, 90, 0.35);
  for (double x : {487.0, 623.0, 759.0}) {
    Pattern fade(cairo_pattern_create_linear(0, 236, 0, 275));
    fade.Stop(0, Hex(0xE8C56A, 0));
    fade.Stop(0.5, Hex(0xE8C56A, 0.7));
    fade.Stop(1, Hex(0xE8C56A, 0));
    cairo_set_source(cr, fade);
    cairo_rectangle(cr, x, 236, 1, 39);
    cairo_fill(cr);
    Diamond(cr, x + 0.5, 255.5, 5);
    SetColor(cr, Hex(0xF0CF7A));
    cairo_fill_preserve(cr);
    SetColor(cr, Hex(0x3A2508));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
}

void DrawBrowserFrame(cairo_t* cr) {
  const double l = kBrowser.left - 5;
  const double t = kBrowser.top - 4;
  const double r = kBrowser.right + 5;
  const double b = kBrowser.bottom + 5;
  Pattern gold(NewGold(t, b));
  cairo_set_source(cr, gold);
  cairo_set_line_width(cr, 3);
  cairo_rectangle(cr, l + 1.5, t + 1.5, r - l - 3, b - t - 3);
  cairo_stroke(cr);
  SetColor(cr, Hex(0x05071A));
  cairo_rectangle(cr, l + 3, t + 3, r - l - 6, b - t - 6);
  cairo_fill(cr);
  // Corner brackets.
  SetColor(cr, Hex(0xF2D27E));
  for (int sx = 0; sx < 2; ++sx) {
    for (int sy = 0; sy < 2; ++sy) {
      const double x = sx == 0 ? l - 4 : r + 4;
      const double y = sy == 0 ? t - 4 : b + 4;
      const double dx = sx == 0 ? 1 : -1;
      const double dy = sy == 0 ? 1 : -1;
      if (sy == 0) continue;  // the link bar sits on the top corners
      cairo_move_to(cr, x, y);
      cairo_line_to(cr, x + dx * 26, y);
      cairo_line_to(cr, x + dx * 26, y + dy * 3);
      cairo_line_to(cr, x + dx * 3, y + dy * 3);
      cairo_line_to(cr, x + dx * 3, y + dy * 26);
      cairo_line_to(cr, x, y + dy * 26);
      cairo_close_path(cr);
      cairo_fill(cr);
    }
  }
}

void DrawHealthNotice(cairo_t* cr) {
  SetColor(cr, Hex(0x8E98C8));
  CentredText(cr,
              "抵制不良游戏，拒绝盗版游戏。注意自我保护，谨防受骗上当。"
              "适度游戏益脑，沉迷游戏伤身。合理安排时间，享受健康生活。",
              {kSans, 11}, kCrestX, 704);
}

void DrawLink(cairo_t* cr, const Link& link, int state) {
  const double cx = link.centre;
  if (state == 1) {
    // A lit plate that fades out before the neighbours' overlapping strips.
    Pattern plate(cairo_pattern_create_linear(cx - 54, 0, cx + 54, 0));
    plate.Stop(0, Hex(0x4766E0, 0));
    plate.Stop(0.25, Hex(0x4766E0, 0.45));
    plate.Stop(0.75, Hex(0x4766E0, 0.45));
    plate.Stop(1, Hex(0x4766E0, 0));
    cairo_set_source(cr, plate);
    cairo_rectangle(cr, cx - 54, 237, 108, 37);
    cairo_fill(cr);
    GoldLine(cr, cx - 54, cx + 54, 237, 30, 0.8);
    cairo_save(cr);
    cairo_translate(cr, cx, kCaptionY);
    cairo_scale(cr, 1, 0.36);
    Pattern glow(cairo_pattern_create_radial(0, 0, 0, 0, 0, 50));
    glow.Stop(0, Hex(0xFFD77A, 0.55));
    glow.Stop(0.6, Hex(0xFFB84A, 0.16));
    glow.Stop(1, Hex(0xFFB84A, 0));
    cairo_set_source(cr, glow);
    cairo_arc(cr, 0, 0, 50, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_restore(cr);
    GoldLine(cr, cx - 40, cx + 40, 271, 26, 1);
    Diamond(cr, cx, 271.5, 2.5);
    SetColor(cr, Hex(0xFFF1C4));
    cairo_fill(cr);
  }
  const Font font{kSerif, 18, PANGO_WEIGHT_BOLD, 1};
  if (state == 1) {
    Pattern bright(NewVertical(246, 266, Hex(0xFFFFF4), Hex(0xFFD66E)));
    EngravedText(cr, link.caption, font, cx, kCaptionY, bright, Hex(0x5A3206), 1.6);
  } else {
    Pattern gold(NewGold(246, 266));
    EngravedText(cr, link.caption, font, cx, kCaptionY, gold, Hex(0x1E1204), 1.6);
  }
}

void DrawRoundButton(cairo_t* cr, double cx, double cy, double r, int state,
                     const std::function<void(cairo_t*)>& glyph) {
  if (state == 1) {
    Pattern glow(cairo_pattern_create_radial(cx, cy, r * 0.6, cx, cy, r + 6));
    glow.Stop(0, Hex(0xFF9A4A, 0.55));
    glow.Stop(1, Hex(0xFF9A4A, 0));
    cairo_set_source(cr, glow);
    cairo_arc(cr, cx, cy, r + 6, 0, 2 * kPi);
    cairo_fill(cr);
  }
  Pattern rim(NewGold(cy - r, cy + r, state == 2 ? 0.75 : (state == 1 ? 1.15 : 1.0)));
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_set_source(cr, rim);
  cairo_fill(cr);
  SetColor(cr, Hex(0x2A1A05));
  cairo_set_line_width(cr, 1);
  cairo_arc(cr, cx, cy, r - 0.5, 0, 2 * kPi);
  cairo_stroke(cr);

  const Rgba top = state == 1 ? Hex(0xC23A2A) : (state == 2 ? Hex(0x4A0E10) : Hex(0x2C3C94));
  const Rgba bottom = state == 1 ? Hex(0x6A1210) : (state == 2 ? Hex(0x861C18) : Hex(0x0C1340));
  Pattern face(NewVertical(cy - r, cy + r, top, bottom));
  cairo_arc(cr, cx, cy, r - 3.5, 0, 2 * kPi);
  cairo_set_source(cr, face);
  cairo_fill(cr);
  // Gloss.
  cairo_save(cr);
  cairo_arc(cr, cx, cy, r - 3.5, 0, 2 * kPi);
  cairo_clip(cr);
  Pattern gloss(NewVertical(cy - r, cy, Hex(0xFFFFFF, state == 2 ? 0.05 : 0.22), Hex(0xFFFFFF, 0)));
  cairo_set_source(cr, gloss);
  cairo_arc(cr, cx, cy - r * 0.55, r * 0.85, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_restore(cr);

  cairo_save(cr);
  if (state == 2) cairo_translate(cr, 0.8, 0.8);
  SetColor(cr, state == 1 ? Hex(0xFFFFFF) : Hex(0xF3DC9C));
  glyph(cr);
  cairo_restore(cr);
}

void DrawClose(cairo_t* cr, int state) {
  const double cx = 995.5;
  const double cy = 238;
  DrawRoundButton(cr, cx, cy, 21, state, [&](cairo_t* c) {
    cairo_set_line_width(c, 3.2);
    cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(c, cx - 6.5, cy - 6.5);
    cairo_line_to(c, cx + 6.5, cy + 6.5);
    cairo_move_to(c, cx + 6.5, cy - 6.5);
    cairo_line_to(c, cx - 6.5, cy + 6.5);
    cairo_stroke(c);
  });
}

void DrawMinimise(cairo_t* cr, int state) {
  const double cx = 947.5;
  const double cy = 246.5;
  DrawRoundButton(cr, cx, cy, 15, state, [&](cairo_t* c) {
    RoundedRect(c, cx - 6.5, cy - 1.5, 13, 3.2, 1.5);
    cairo_fill(c);
  });
}

// The launcher without anything that changes with the pointer.
const Image& LauncherBase() {
  static const Image base = [] {
    Image out(kWidth, kHeight);
    const std::vector<Shape> shapes = OutlineShapes();
    {
      // Soft shadow: the only partly transparent pixels beside the anti-aliased edge.
      Image shadow(kWidth, kHeight);
      {
        Canvas s(shadow);
        cairo_set_source_rgba(s, 1, 1, 1, 1);
        cairo_translate(s, 0, 5);
        PaintShapes(s, shapes, 6);
      }
      Blur(shadow, 14);
      Canvas cr(out);
      cairo_set_source_rgba(cr, 0.0, 0.01, 0.06, 0.78);
      cairo_mask_surface(cr, shadow.Surface(), 0, 0);

      // Layered trim: outer gold, a dark groove, a fine gold line, then the body.
      Pattern outerGold(NewGold(0, 40));
      cairo_pattern_set_extend(outerGold, CAIRO_EXTEND_REFLECT);
      cairo_set_source(cr, outerGold);
      PaintShapes(cr, shapes, 6);
      SetColor(cr, Hex(0x1A1004));
      PaintShapes(cr, shapes, 3.2);
      SetColor(cr, Hex(0xD9B35C));
      PaintShapes(cr, shapes, 2);
      SetColor(cr, Hex(0x05081E));
      PaintShapes(cr, shapes, 0.8);
    }
    Image body(kWidth, kHeight);
    BodyLayer(body);
    Grain(body, 0.10, 46, 7);
    Image mask(kWidth, kHeight);
    {
      Canvas m(mask);
      cairo_set_source_rgba(m, 1, 1, 1, 1);
      PaintShapes(m, shapes, 0);
    }
    Canvas cr(out);
    cairo_set_source_surface(cr, body.Surface(), 0, 0);
    cairo_mask_surface(cr, mask.Surface(), 0, 0);

    DrawCrestContent(cr);
    DrawMedallion(cr);
    DrawLinkBar(cr);
    DrawBrowserFrame(cr);
    DrawHealthNotice(cr);
    // Studs on the fin and the pendant.
    for (const auto& [x, y, r] :
         {std::tuple{1072.0, 472.0, 7.0}, std::tuple{kCrestX, 760.0, 6.0}}) {
      Pattern g(NewGold(y - r, y + r));
      cairo_new_path(cr);
      cairo_arc(cr, x, y, r, 0, 2 * kPi);
      cairo_set_source(cr, g);
      cairo_fill_preserve(cr);
      SetColor(cr, Hex(0x2A1A05));
      cairo_set_line_width(cr, 1);
      cairo_stroke(cr);
    }
    return out;
  }();
  return base;
}

Image RenderLauncher(const States& states) {
  Image out(kWidth, kHeight);
  out.Put(LauncherBase(), 0, 0);
  Canvas cr(out);
  for (int i = 0; i < 4; ++i) DrawLink(cr, kLinks[i], states.link[i]);
  DrawMinimise(cr, states.minimise);
  DrawClose(cr, states.close);
  // The login page covers this area; it stays plain black underneath.
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_rectangle(cr, kBrowser.left, kBrowser.top, kBrowser.W(), kBrowser.H());
  cairo_fill(cr);
  return out;
}

Image Cut(const Image& image, const Box& box) {
  return image.Crop(box.left, box.top, box.W(), box.H());
}

}  // namespace

void WriteLauncherSkins(const std::filesystem::path& outDir) {
  const Image normal = RenderLauncher({});
  SavePicture(normal, outDir, 149);

  for (int i = 0; i < 4; ++i) {
    States hover;
    hover.link[i] = 1;
    const Image frames[] = {Cut(normal, kLinks[i].box), Cut(RenderLauncher(hover), kLinks[i].box)};
    SavePicture(Strip(frames, 2, true), outDir, kLinks[i].id);
  }

  std::vector<Image> close;
  std::vector<Image> minimise;
  for (int state = 0; state < 3; ++state) {
    States s;
    s.close = state;
    close.push_back(Cut(RenderLauncher(s), kClose));
    States m;
    m.minimise = state;
    minimise.push_back(Cut(RenderLauncher(m), kMinimise));
  }
  SavePicture(Strip(close.data(), 3, true), outDir, 138);
  SavePicture(Strip(minimise.data(), 3, true), outDir, 152);
}

}  // namespace skingen
