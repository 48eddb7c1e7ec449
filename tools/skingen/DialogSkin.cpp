// The boss-key dialog and the customer-service message window.
#include <cmath>
#include <string>

#include "tools/skingen/Skins.h"

namespace skingen {

namespace {

constexpr int kDialogW = 355;
constexpr int kDialogH = 169;

void CornerOrnament(cairo_t* cr, double x, double y, double dx, double dy) {
  cairo_move_to(cr, x, y + dy * 14);
  cairo_line_to(cr, x, y);
  cairo_line_to(cr, x + dx * 14, y);
  cairo_stroke(cr);
  cairo_rectangle(cr, x + dx * 3 - 1.5, y + dy * 3 - 1.5, 3, 3);
  cairo_fill(cr);
}

Image BossKeyBackground() {
  Image out(kDialogW, kDialogH);
  {
    Canvas cr(out);
    Pattern body(cairo_pattern_create_radial(177, 90, 10, 177, 90, 240));
    body.Stop(0, Hex(0x1C2766));
    body.Stop(1, Hex(0x090D2C));
    cairo_set_source(cr, body);
    cairo_paint(cr);
  }
  Grain(out, 0.08, 30, 11);
  Canvas cr(out);

  // Title strip.
  Pattern title(NewVertical(0, 30, Hex(0x24317A), Hex(0x10174A)));
  cairo_set_source(cr, title);
  cairo_rectangle(cr, 0, 0, kDialogW, 30);
  cairo_fill(cr);
  SetColor(cr, Hex(0xC9A043));
  cairo_rectangle(cr, 0, 30, kDialogW, 1);
  cairo_fill(cr);
  SetColor(cr, Hex(0x05071A));
  cairo_rectangle(cr, 0, 31, kDialogW, 1);
  cairo_fill(cr);
  Pattern emblemGold(NewGold(-30, 26));
  DrawEmblem(cr, 22, 16, 0.33, emblemGold, Hex(0x2A1804), true);
  Pattern titleGold(NewGold(7, 24));
  EngravedText(cr, "老板键设置", {kSerif, 14, PANGO_WEIGHT_BOLD, 1}, 80, 15.5, titleGold,
               Hex(0x1E1204), 1.2);

  // Frame: gold rim with corner ornaments.
  Pattern rim(NewGold(0, kDialogH));
  cairo_set_source(cr, rim);
  cairo_set_line_width(cr, 2);
  cairo_rectangle(cr, 1, 1, kDialogW - 2, kDialogH - 2);
  cairo_stroke(cr);
  SetColor(cr, Hex(0x05071A));
  cairo_set_line_width(cr, 1);
  cairo_rectangle(cr, 2.5, 2.5, kDialogW - 5, kDialogH - 5);
  cairo_stroke(cr);
  SetColor(cr, Hex(0xE2BD62, 0.8));
  cairo_set_line_width(cr, 1);
  CornerOrnament(cr, 6.5, 38.5, 1, 1);
  CornerOrnament(cr, kDialogW - 6.5, 38.5, -1, 1);
  CornerOrnament(cr, 6.5, kDialogH - 6.5, 1, -1);
  CornerOrnament(cr, kDialogW - 6.5, kDialogH - 6.5, -1, -1);

  // Recess around the key field, which the dialog places at (134, 72) to (225, 94).
  SetColor(cr, Hex(0x04061A));
  cairo_rectangle(cr, 131, 69, 97, 28);
  cairo_fill(cr);
  SetColor(cr, Hex(0xB08A3C));
  cairo_rectangle(cr, 131.5, 69.5, 96, 27);
  cairo_stroke(cr);
  // Soft shadow under the confirm button at (239, 73) to (299, 94).
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  RoundedRect(cr, 239, 75, 61, 21, 4);
  cairo_fill(cr);

  // Hints below the field.
  Pattern divider(cairo_pattern_create_linear(40, 0, 315, 0));
  divider.Stop(0, Hex(0xC9A043, 0));
  divider.Stop(0.5, Hex(0xC9A043, 0.6));
  divider.Stop(1, Hex(0xC9A043, 0));
  cairo_set_source(cr, divider);
  cairo_rectangle(cr, 40, 107, 275, 1);
  cairo_fill(cr);
  SetColor(cr, Hex(0x9AA4D6));
  CentredText(cr, "在输入框中按下新的组合键，点击“确定”后生效", {kSans, 12}, 177.5, 123);
  SetColor(cr, Hex(0x6F79AC));
  CentredText(cr, "老板键可随时隐藏或显示游戏窗口", {kSans, 11}, 177.5, 143);
  return out;
}

Image SmallClose(int state) {
  Image out(11, 11);
  Canvas cr(out);
  if (state > 0) {
    RoundedRect(cr, 0, 0, 11, 11, 2);
    SetColor(cr, state == 1 ? Hex(0xD8443A) : Hex(0x7A1612));
    cairo_fill(cr);
  }
  SetColor(cr, state == 0 ? Hex(0xE6D3A0) : Hex(0xFFFFFF));
  cairo_set_line_width(cr, 1.4);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, 3, 3);
  cairo_line_to(cr, 8, 8);
  cairo_move_to(cr, 8, 3);
  cairo_line_to(cr, 3, 8);
  cairo_stroke(cr);
  return out;
}

Image ConfirmFrame(bool hover) {
  Image out(60, 21);
  Canvas cr(out);
  Pattern fill(NewVertical(0, 21, hover ? Hex(0xFBD978) : Hex(0xE3B453),
                           hover ? Hex(0xC07F22) : Hex(0x99611A)));
  RoundedRect(cr, 0.5, 0.5, 59, 20, 4);
  cairo_set_source(cr, fill);
  cairo_fill_preserve(cr);
  SetColor(cr, hover ? Hex(0xFFF3C4) : Hex(0xF3D27E));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  Pattern gloss(NewVertical(1, 10, Hex(0xFFFFFF, 0.3), Hex(0xFFFFFF, 0)));
  RoundedRect(cr, 1.5, 1.5, 57, 8, 3);
  cairo_set_source(cr, gloss);
  cairo_fill(cr);
  const Font font{kSans, 12, PANGO_WEIGHT_BOLD, 4};
  cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
  CentredText(cr, "确定", font, 30, 11);
  SetColor(cr, hover ? Hex(0x2A1300) : Hex(0x301A02));
  CentredText(cr, "确定", font, 30, 10.5);
  return out;
}

// White emblem on a transparent ground; a faint navy edge keeps it readable on light blue.
Image ServiceEmblem() {
  Image out(39, 47);
  Canvas cr(out);
  cairo_translate(cr, 19.5, 23.5);
  cairo_scale(cr, 0.9, 0.9);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  ShieldPath(cr, 0, -24, 40, 48);
  cairo_set_source_rgba(cr, 0.06, 0.12, 0.35, 0.45);
  cairo_set_line_width(cr, 3);
  cairo_stroke_preserve(cr);
  SetColor(cr, Hex(0xFFFFFF));
  cairo_fill(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
  cairo_set_source_rgba(cr, 0, 0, 0, 1);
  ShieldPath(cr, 0, -19.5, 31, 38);
  cairo_set_line_width(cr, 1.6);
  cairo_stroke(cr);
  StarPath(cr, 0, -3, 12.5, 3.8, 4);
  cairo_fill(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  StarPath(cr, 0, -3, 5.5, 1.9, 4, kPi / 4);
  SetColor(cr, Hex(0xFFFFFF));
  cairo_fill(cr);
  return out;
}

Image ServiceHeader() {
  Image out(818, 47);
  Canvas cr(out);
  Pattern band(cairo_pattern_create_linear(0, 0, 0, 47));
  band.Stop(0, Hex(0xE2EDFD));
  band.Stop(0.5, Hex(0xB9D0F3));
  band.Stop(1, Hex(0x8AAAE0));
  cairo_set_source(cr, band);
  cairo_paint(cr);
  // Diagonal sheen on the right, away from the text.
  Pattern sheen(cairo_pattern_create_linear(560, 0, 818, 0));
  sheen.Stop(0, Hex(0xFFFFFF, 0));
  sheen.Stop(1, Hex(0xFFFFFF, 0.35));
  cairo_move_to(cr, 640, 0);
  cairo_line_to(cr, 818, 0);
  cairo_line_to(cr, 818, 47);
  cairo_line_to(cr, 600, 47);
  cairo_close_path(cr);
  cairo_set_source(cr, sheen);
  cairo_fill(cr);
  SetColor(cr, Hex(0xFFFFFF, 0.8));
  cairo_rectangle(cr, 0, 0, 818, 2);
  cairo_fill(cr);
  // A deep blue badge for the white emblem, ending before the header text at x 35.
  Pattern badge(NewVertical(0, 43, Hex(0x3558B8), Hex(0x142766)));
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, 33, 0);
  cairo_curve_to(cr, 27, 14, 27, 29, 33, 43);
  cairo_line_to(cr, 0, 43);
  cairo_close_path(cr);
  cairo_set_source(cr, badge);
  cairo_fill_preserve(cr);
  SetColor(cr, Hex(0xC9A043));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  SetColor(cr, Hex(0xC9A043));
  cairo_rectangle(cr, 0, 43, 818, 2);
  cairo_fill(cr);
  SetColor(cr, Hex(0x5E78B0));
  cairo_rectangle(cr, 0, 45, 818, 2);
  cairo_fill(cr);
  return out;
}

Image CloseMark(int state) {
  Image out(40, 20);
  Canvas cr(out);
  if (state > 0) {
    Pattern plate(NewVertical(1, 19, state == 1 ? Hex(0xE85A48) : Hex(0x8A1A14),
                              state == 1 ? Hex(0xA8231C) : Hex(0xB8332A)));
    RoundedRect(cr, 3.5, 1.5, 33, 17, 3);
    cairo_set_source(cr, plate);
    cairo_fill(cr);
  }
  cairo_save(cr);
  if (state == 2) cairo_translate(cr, 0.6, 0.6);
  SetColor(cr, state == 0 ? Hex(0x1B2B5E) : Hex(0xFFFFFF));
  cairo_set_line_width(cr, 1.7);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, 16, 6);
  cairo_line_to(cr, 24, 14);
  cairo_move_to(cr, 24, 6);
  cairo_line_to(cr, 16, 14);
  cairo_stroke(cr);
  cairo_restore(cr);
  return out;
}

}  // namespace

void WriteDialogSkins(const std::filesystem::path& outDir) {
  SavePicture(BossKeyBackground(), outDir, 132);
  const Image close[] = {SmallClose(0), SmallClose(1), SmallClose(2)};
  SavePicture(Strip(close, 3, true), outDir, 137);
  const Image confirm[] = {ConfirmFrame(false), ConfirmFrame(true)};
  SavePicture(Strip(confirm, 2, true), outDir, 156);
  SavePicture(ServiceEmblem(), outDir, 144);
  SavePicture(ServiceHeader(), outDir, 145);
  const Image marks[] = {CloseMark(0), CloseMark(1), CloseMark(2)};
  SavePicture(Strip(marks, 3, true), outDir, 146);
}

}  // namespace skingen
