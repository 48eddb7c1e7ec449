// The game window: frame background, logo, caption buttons, title-bar text buttons,
// the clear-cache spinner, the binding animation and the service button.
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "tools/skingen/Skins.h"

namespace skingen {

namespace {

constexpr int kTitleHeight = 40;
// Columns from here on are the same in every row of the title band, so that stretching it
// to any width keeps them and pictures drawn over it can carry its exact colours.
constexpr int kUniformFrom = 300;

const Rgba kGoldText = Hex(0xF1DFA6);
const Rgba kWell = Hex(0x080C26);

Image TitleAndBody() {
  Image out(800, 500);
  Canvas cr(out);
  // Title band.
  Pattern band(NewVertical(0, kTitleHeight, Hex(0x1D2865), Hex(0x0B1138)));
  cairo_set_source(cr, band);
  cairo_rectangle(cr, 0, 0, 800, kTitleHeight);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, kUniformFrom, kTitleHeight);
  cairo_clip(cr);
  cairo_translate(cr, 34, 20);
  cairo_scale(cr, 1, 0.22);
  Pattern glow(cairo_pattern_create_radial(0, 0, 0, 0, 0, 250));
  glow.Stop(0, Hex(0x4A68E0, 0.45));
  glow.Stop(1, Hex(0x4A68E0, 0));
  cairo_set_source(cr, glow);
  cairo_paint(cr);
  cairo_restore(cr);
  SetColor(cr, Hex(0x4254A8));
  cairo_rectangle(cr, 0, 0, 800, 1);
  cairo_fill(cr);
  SetColor(cr, Hex(0x05071A));
  cairo_rectangle(cr, 0, 37, 800, 1);
  cairo_fill(cr);
  SetColor(cr, Hex(0xC9A043));
  cairo_rectangle(cr, 0, 38, 800, 1);
  cairo_fill(cr);
  SetColor(cr, Hex(0x4A3614));
  cairo_rectangle(cr, 0, 39, 800, 1);
  cairo_fill(cr);

  // Body: only its 2-pixel rim shows beside the game page, the rest while the page loads.
  Pattern body(cairo_pattern_create_radial(400, 250, 20, 400, 250, 460));
  body.Stop(0, Hex(0x18225A));
  body.Stop(1, Hex(0x080B24));
  cairo_set_source(cr, body);
  cairo_rectangle(cr, 0, kTitleHeight, 800, 500 - kTitleHeight);
  cairo_fill(cr);
  // Faint emblem, seen only while the game page is loading.
  cairo_push_group(cr);
  Pattern mark(cairo_pattern_create_rgb(0.55, 0.65, 1.0));
  DrawEmblem(cr, 400, 282, 2.6, mark, Hex(0x0E1440), true);
  cairo_pop_group_to_source(cr);
  cairo_paint_with_alpha(cr, 0.10);
  SetColor(cr, Hex(0x8A6C2C));
  cairo_rectangle(cr, 0, kTitleHeight, 1, 460);
  cairo_rectangle(cr, 799, kTitleHeight, 1, 460);
  cairo_rectangle(cr, 0, 499, 800, 1);
  cairo_fill(cr);
  return out;
}

Image Logo() {
  Image out(48, 29);
  Canvas cr(out);
  Pattern gold(NewGold(-30, 26));
  DrawEmblem(cr, 24, 18.5, 0.41, gold, Hex(0x2A1804), true);
  return out;
}

// Caption buttons: normal is just the glyph, hover and pressed get a lit plate.
enum class Glyph { kClose, kMinimise, kMaximise, kRestore };

void DrawGlyph(cairo_t* cr, Glyph glyph) {
  cairo_set_line_width(cr, 1.6);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  switch (glyph) {
    case Glyph::kClose:
      cairo_move_to(cr, 8, 8);
      cairo_line_to(cr, 17, 17);
      cairo_move_to(cr, 17, 8);
      cairo_line_to(cr, 8, 17);
      cairo_stroke(cr);
      break;
    case Glyph::kMinimise:
      cairo_rectangle(cr, 7.5, 15.5, 10, 2);
      cairo_fill(cr);
      break;
    case Glyph::kMaximise:
      cairo_rectangle(cr, 7.5, 7.5, 10, 10);
      cairo_stroke(cr);
      cairo_rectangle(cr, 7, 7, 11, 2.2);
      cairo_fill(cr);
      break;
    case Glyph::kRestore:
      cairo_set_line_width(cr, 1.3);
      cairo_move_to(cr, 10, 9.5);
      cairo_line_to(cr, 10, 6.5);
      cairo_line_to(cr, 18.5, 6.5);
      cairo_line_to(cr, 18.5, 14.5);
      cairo_line_to(cr, 15.5, 14.5);
      cairo_stroke(cr);
      cairo_rectangle(cr, 6.5, 10.5, 8.5, 8);
      cairo_stroke(cr);
      cairo_rectangle(cr, 6, 10, 9.5, 2);
      cairo_fill(cr);
      break;
  }
}

Image CaptionFrame(Glyph glyph, int state) {
  Image out(25, 25);
  Canvas cr(out);
  const bool danger = glyph == Glyph::kClose;
  if (state > 0) {
    Rgba top = danger ? Hex(0xE0513F) : Hex(0x3E5CC8);
    Rgba bottom = danger ? Hex(0x8E1C16) : Hex(0x1C2A78);
    if (state == 2) std::swap(top, bottom);
    Pattern plate(NewVertical(1, 24, top, bottom));
    RoundedRect(cr, 1, 1, 23, 23, 4);
    cairo_set_source(cr, plate);
    cairo_fill_preserve(cr);
    SetColor(cr, state == 2 ? Hex(0x8F6A2A) : Hex(0xE9C46A));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (state == 1) {
      Pattern gloss(NewVertical(1.5, 12, Hex(0xFFFFFF, 0.28), Hex(0xFFFFFF, 0.0)));
      RoundedRect(cr, 1.5, 1.5, 22, 11, 3.5);
      cairo_set_source(cr, gloss);
      cairo_fill(cr);
    }
  }
  if (state == 2) cairo_translate(cr, 0.7, 0.7);
  // A dark halo under the glyph keeps it legible on any title colour.
  cairo_save(cr);
  cairo_translate(cr, 0, 1);
  cairo_set_source_rgba(cr, 0, 0, 0, state == 0 ? 0.5 : 0.3);
  DrawGlyph(cr, glyph);
  cairo_restore(cr);
  SetColor(cr, state == 0 ? Hex(0xE6D3A0) : Hex(0xFFFFFF));
  DrawGlyph(cr, glyph);
  return out;
}

Image CaptionStrip(Glyph glyph) {
  const Image frames[] = {CaptionFrame(glyph, 0), CaptionFrame(glyph, 1), CaptionFrame(glyph, 2)};
  return Strip(frames, 3, false);
}

// Title-bar text buttons, 22 pixels high.
struct Look {
  Rgba top, bottom, border, text;
};

Look BlueLook(bool hover) {
  return hover ? Look{Hex(0x3A59C4), Hex(0x1B2A74), Hex(0xF6D885), Hex(0xFFFFFF)}
               : Look{Hex(0x25347F), Hex(0x111947), Hex(0xB08A3C), kGoldText};
}

Look GoldLook(bool hover) {
  return hover ? Look{Hex(0xFBD978), Hex(0xC07F22), Hex(0xFFF3C4), Hex(0x2A1300)}
               : Look{Hex(0xE3B453), Hex(0x99611A), Hex(0xF3D27E), Hex(0x301A02)};
}

void Plate(cairo_t* cr, double x, double w, const Look& look) {
  Pattern fill(NewVertical(0, 22, look.top, look.bottom));
  RoundedRect(cr, x + 0.5, 0.5, w - 1, 21, 4);
  cairo_set_source(cr, fill);
  cairo_fill_preserve(cr);
  SetColor(cr, look.border);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  Pattern gloss(NewVertical(1, 11, Hex(0xFFFFFF, 0.22), Hex(0xFFFFFF, 0)));
  RoundedRect(cr, x + 1.5, 1.5, w - 3, 9, 3);
  cairo_set_source(cr, gloss);
  cairo_fill(cr);
}

void Label(cairo_t* cr, const std::string& text, double cx, const Look& look, bool darkText) {
  const Font font{kSans, 12, PANGO_WEIGHT_MEDIUM};
  cairo_save(cr);
  cairo_set_source_rgba(cr, darkText ? 1 : 0, darkText ? 1 : 0, darkText ? 1 : 0, 0.35);
  CentredText(cr, text, font, cx, darkText ? 11.5 : 12);
  cairo_restore(cr);
  SetColor(cr, look.text);
  CentredText(cr, text, font, cx, 11);
}

using Icon = std::function<void(cairo_t*, double, double, const Rgba&)>;

Image TextFrame(int width, const std::string& text, bool hover, const Icon& icon = nullptr,
                bool gold = false) {
  Image out(width, 22);
  Canvas cr(out);
  const Look look = gold ? GoldLook(hover) : BlueLook(hover);
  Plate(cr, 0, width, look);
  if (icon) {
    Text measure(cr, text, {kSans, 12, PANGO_WEIGHT_MEDIUM});
    const double textWidth = measure.Ink().width / static_cast<double>(PANGO_SCALE);
    const double total = 12 + 3 + textWidth;
    const double left = (width - total) / 2;
    icon(cr, left + 6, 11, look.text);
    Label(cr, text, left + 15 + textWidth / 2, look, gold);
  } else {
    Label(cr, text, width / 2.0, look, gold);
  }
  return out;
}

Image TextStrip(int width, const std::string& text, const Icon& icon = nullptr, bool gold = false) {
  const Image frames[] = {TextFrame(width, text, false, icon, gold),
                          TextFrame(width, text, true, icon, gold)};
  return Strip(frames, 2, true);
}

void CoinIcon(cairo_t* cr, double cx, double cy, const Rgba& c) {
  SetColor(cr, c);
  cairo_set_line_width(cr, 1.2);
  cairo_arc(cr, cx, cy, 5.2, 0, 2 * kPi);
  cairo_stroke(cr);
  // Yen-like mark.
  cairo_move_to(cr, cx - 2.2, cy - 2.8);
  cairo_line_to(cr, cx, cy);
  cairo_line_to(cr, cx + 2.2, cy - 2.8);
  cairo_move_to(cr, cx, cy);
  cairo_line_to(cr, cx, cy + 3);
  cairo_move_to(cr, cx - 2, cy + 0.6);
  cairo_line_to(cr, cx + 2, cy + 0.6);
  cairo_stroke(cr);
}

void SwapIcon(cairo_t* cr, double cx, double cy, const Rgba& c) {
  SetColor(cr, c);
  cairo_set_line_width(cr, 1.3);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, cx - 5, cy - 2);
  cairo_line_to(cr, cx + 4, cy - 2);
  cairo_move_to(cr, cx + 1.5, cy - 4.5);
  cairo_line_to(cr, cx + 4, cy - 2);
  cairo_line_to(cr, cx + 1.5, cy + 0.5);
  cairo_move_to(cr, cx + 5, cy + 2.5);
  cairo_line_to(cr, cx - 4, cy + 2.5);
  cairo_move_to(cr, cx - 1.5, cy);
  cairo_line_to(cr, cx - 4, cy + 2.5);
  cairo_line_to(cr, cx - 1.5, cy + 5);
  cairo_stroke(cr);
}

void KeyIcon(cairo_t* cr, double cx, double cy, const Rgba& c) {
  SetColor(cr, c);
  cairo_set_line_width(cr, 1.3);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_arc(cr, cx - 3.2, cy - 0.5, 2.6, 0, 2 * kPi);
  cairo_stroke(cr);
  cairo_move_to(cr, cx - 0.6, cy - 0.5);
  cairo_line_to(cr, cx + 6, cy - 0.5);
  cairo_move_to(cr, cx + 3.2, cy - 0.5);
  cairo_line_to(cr, cx + 3.2, cy + 2.5);
  cairo_move_to(cr, cx + 5.4, cy - 0.5);
  cairo_line_to(cr, cx + 5.4, cy + 3.2);
  cairo_stroke(cr);
}

void HeadsetIcon(cairo_t* cr, double cx, double cy, const Rgba& c) {
  SetColor(cr, c);
  cairo_set_line_width(cr, 1.3);
  cairo_arc(cr, cx, cy + 0.5, 4.6, kPi, 2 * kPi);
  cairo_stroke(cr);
  RoundedRect(cr, cx - 5.8, cy, 2.6, 4.4, 1);
  RoundedRect(cr, cx + 3.2, cy, 2.6, 4.4, 1);
  cairo_fill(cr);
  cairo_move_to(cr, cx + 4.5, cy + 4.4);
  cairo_curve_to(cr, cx + 4.5, cy + 6, cx + 2, cy + 6.2, cx + 0.5, cy + 6.2);
  cairo_stroke(cr);
}

void BroomIcon(cairo_t* cr, double cx, double cy, const Rgba& c) {
  SetColor(cr, c);
  cairo_set_line_width(cr, 1.3);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, cx + 4.5, cy - 6);
  cairo_line_to(cr, cx + 0.5, cy - 0.5);
  cairo_stroke(cr);
  cairo_move_to(cr, cx - 1.5, cy - 2);
  cairo_line_to(cr, cx + 2.5, cy + 1);
  cairo_line_to(cr, cx - 0.5, cy + 6);
  cairo_line_to(cr, cx - 5.5, cy + 3);
  cairo_close_path(cr);
  cairo_fill(cr);
  // Sparkle.
  StarPath(cr, cx - 4.5, cy - 4.5, 2.6, 0.7, 4);
  cairo_fill(cr);
}

// Clear-cache buttons: a status segment on the left (x 0 to 22) and the caption on the right.
// While cleaning the spinner runs in the segment and hover repaints skip it, so the segment
// must look the same in both frames.
constexpr int kSegment = 22;

Image CacheFrame(bool cleaning, bool hover) {
  Image out(75, 22);
  Canvas cr(out);
  const Look look = BlueLook(hover);
  const Look segmentLook = BlueLook(cleaning ? false : hover);
  Plate(cr, 0, 75, segmentLook);
  cairo_save(cr);
  cairo_rectangle(cr, kSegment, 0, 75 - kSegment, 22);
  cairo_clip(cr);
  Plate(cr, 0, 75, look);
  cairo_restore(cr);
  SetColor(cr, Hex(0x05071A, 0.8));
  cairo_rectangle(cr, kSegment, 3, 1, 16);
  cairo_fill(cr);
  if (cleaning) {
    // The spinner's ground: a flat well at (4, 4) to (20, 20), exactly its frames' colour.
    SetColor(cr, Hex(0x3A2A0C));
    cairo_rectangle(cr, 3, 3, 18, 18);
    cairo_fill(cr);
    SetColor(cr, kWell);
    cairo_rectangle(cr, 4, 4, 16, 16);
    cairo_fill(cr);
  } else {
    BroomIcon(cr, 12, 11, look.text);
  }
  Label(cr, cleaning ? "正在清理" : "清理缓存", (kSegment + 1 + 75) / 2.0, look, false);
  return out;
}

Image CacheStrip(bool cleaning) {
  const Image frames[] = {CacheFrame(cleaning, false), CacheFrame(cleaning, true)};
  return Strip(frames, 2, true);
}

Image Spinner() {
  std::vector<Image> frames;
  for (int i = 0; i < 8; ++i) {
    Image f(16, 16);
    Canvas cr(f);
    SetColor(cr, kWell);
    cairo_paint(cr);
    for (int d = 0; d < 8; ++d) {
      const double a = d * kPi / 4 - kPi / 2;
      // The head of the trail is dot i; older dots fade behind it.
      const int age = (i - d + 8) % 8;
      const double bright = 1.0 - age / 8.0;
      const double r = 0.8 + 0.9 * bright;
      SetColor(cr, Mix(Hex(0x222A60), Hex(0xFFE39A), bright * bright));
      cairo_arc(cr, 8 + 5.2 * std::cos(a), 8 + 5.2 * std::sin(a), r, 0, 2 * kPi);
      cairo_fill(cr);
    }
    frames.push_back(std::move(f));
  }
  return Strip(frames.data(), 8, false);
}

// Account-binding call to action; frames are drawn over one another without a repaint in
// between, so each is opaque and carries the title band's own colours in its corners.
Image BindFrames(const Image& title) {
  std::vector<Image> frames;
  for (int k = 0; k < 9; ++k) {
    Image f(136, 22);
    Canvas cr(f);
    cairo_set_source_surface(cr, title.Surface(), -600, -9);
    cairo_paint(cr);
    // The shine sweeps across in frames 0 to 7; frame 8 rests (and stays on screen longest).
    const bool shining = k < 8;
    const double pulse = shining ? 0.5 + 0.5 * std::sin(k * kPi / 7) : 0;
    Pattern fill(NewVertical(1, 21, Mix(Hex(0xF0A33A), Hex(0xFFC866), pulse * 0.5),
                             Mix(Hex(0xA4461A), Hex(0xC25A22), pulse * 0.5)));
    RoundedRect(cr, 1.5, 1.5, 133, 19, 5);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    SetColor(cr, Mix(Hex(0xF2CF78), Hex(0xFFF6D0), pulse));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    Pattern gloss(NewVertical(2, 11, Hex(0xFFFFFF, 0.30), Hex(0xFFFFFF, 0)));
    RoundedRect(cr, 2.5, 2.5, 131, 8, 4);
    cairo_set_source(cr, gloss);
    cairo_fill(cr);
    if (shining) {
      cairo_save(cr);
      RoundedRect(cr, 2, 2, 132, 18, 4.5);
      cairo_clip(cr);
      const double x = -30 + k * 196.0 / 7;
      Pattern shine(cairo_pattern_create_linear(x - 14, 0, x + 14, 0));
      shine.Stop(0, Hex(0xFFFFFF, 0));
      shine.Stop(0.5, Hex(0xFFFFFF, 0.65));
      shine.Stop(1, Hex(0xFFFFFF, 0));
      cairo_move_to(cr, x - 12, 22);
      cairo_line_to(cr, x + 2, 0);
      cairo_line_to(cr, x + 16, 0);
      cairo_line_to(cr, x + 2, 22);
      cairo_close_path(cr);
      cairo_set_source(cr, shine);
      cairo_fill(cr);
      cairo_restore(cr);
    }
    // Gift box and caption.
    const Rgba white = Hex(0xFFFFFF);
    const Font font{kSans, 13, PANGO_WEIGHT_BOLD, 1};
    Text caption(cr, "绑定账号", font);
    const double w = caption.Ink().width / static_cast<double>(PANGO_SCALE);
    const double left = (136 - (14 + 5 + w)) / 2;
    cairo_set_source_rgba(cr, 0.35, 0.12, 0, 0.7);
    cairo_rectangle(cr, left + 1, 10.5, 12, 7);
    cairo_fill(cr);
    SetColor(cr, white);
    cairo_rectangle(cr, left, 9.5, 12, 7);
    cairo_rectangle(cr, left - 1, 6.5, 14, 3);
    cairo_fill(cr);
    SetColor(cr, Hex(0xC8401C));
    cairo_rectangle(cr, left + 5, 6.5, 2, 10);
    cairo_fill(cr);
    SetColor(cr, white);
    cairo_set_line_width(cr, 1.2);
    cairo_move_to(cr, left + 6, 6.5);
    cairo_curve_to(cr, left + 2, 2, left, 5, left + 6, 6.5);
    cairo_move_to(cr, left + 6, 6.5);
    cairo_curve_to(cr, left + 10, 2, left + 12, 5, left + 6, 6.5);
    cairo_stroke(cr);
    double tx = 0;
    double ty = 0;
    caption.OriginForCentre(left + 19 + w / 2, 11, &tx, &ty);
    cairo_set_source_rgba(cr, 0.35, 0.1, 0, 0.8);
    caption.Show(cr, tx + 0.8, ty + 1);
    SetColor(cr, white);
    caption.Show(cr, tx, ty);
    frames.push_back(std::move(f));
  }
  return Strip(frames.data(), 9, true);
}

Image ServiceButton(bool alert) {
  Image out(75, 22);
  Canvas cr(out);
  const Look look = alert ? Look{Hex(0x2F9C8E), Hex(0x10514A), Hex(0xF6D885), Hex(0xFFFFFF)}
                          : Look{Hex(0x1F7A70), Hex(0x0C3B37), Hex(0xB08A3C), Hex(0xE9F5EC)};
  Plate(cr, 0, 75, look);
  Text measure(cr, "联系客服", {kSans, 12, PANGO_WEIGHT_MEDIUM});
  const double w = measure.Ink().width / static_cast<double>(PANGO_SCALE);
  const double left = (75 - (12 + 3 + w)) / 2;
  HeadsetIcon(cr, left + 6, 10, look.text);
  Label(cr, "联系客服", left + 15 + w / 2, look, false);
  if (alert) {
    // New-message badge.
    cairo_arc(cr, 69.5, 5.5, 3.5, 0, 2 * kPi);
    SetColor(cr, Hex(0xFF3B2F));
    cairo_fill_preserve(cr);
    SetColor(cr, Hex(0xFFFFFF));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
  return out;
}

}  // namespace

void WriteGameSkins(const std::filesystem::path& outDir) {
  const Image title = TitleAndBody();
  SavePicture(title, outDir, 143);
  SavePicture(Logo(), outDir, 147);
  SavePicture(CaptionStrip(Glyph::kClose), outDir, 136);
  SavePicture(CaptionStrip(Glyph::kMaximise), outDir, 150);
  SavePicture(CaptionStrip(Glyph::kMinimise), outDir, 151);
  SavePicture(CaptionStrip(Glyph::kRestore), outDir, 157);
  SavePicture(TextStrip(65, "换服", SwapIcon), outDir, 154);
  SavePicture(TextStrip(65, "老板键", KeyIcon), outDir, 140);
  SavePicture(TextStrip(75, "充值", CoinIcon, true), outDir, 155);
  SavePicture(CacheStrip(false), outDir, 134);
  SavePicture(CacheStrip(true), outDir, 135);
  SavePicture(Spinner(), outDir, 158);
  SavePicture(BindFrames(title), outDir, 142);
  SavePicture(ServiceButton(true), outDir, 159);
  SavePicture(ServiceButton(false), outDir, 160);
}

}  // namespace skingen
