#include "tools/skingen/Skins.h"

#include <cmath>
#include <map>
#include <stdexcept>
#include <string>

namespace skingen {

namespace {

struct Size {
  int w;
  int h;
};

// The size every picture must have; the windows place their frames by it.
const std::map<int, Size>& PictureSizes() {
  static const std::map<int, Size> sizes = {
      {131, {154, 82}},  {132, {355, 169}},  {133, {154, 82}}, {134, {75, 44}},  {135, {75, 44}},
      {136, {75, 25}},   {137, {11, 33}},    {138, {55, 162}}, {139, {154, 82}}, {140, {65, 44}},
      {142, {136, 198}}, {143, {800, 500}},  {144, {39, 47}},  {145, {818, 47}}, {146, {40, 60}},
      {147, {48, 29}},   {149, {1155, 825}}, {150, {75, 25}},  {151, {75, 25}},  {152, {39, 117}},
      {153, {154, 82}},  {154, {65, 44}},    {155, {75, 44}},  {156, {60, 42}},  {157, {75, 25}},
      {158, {128, 16}},  {159, {75, 22}},    {160, {75, 22}},
  };
  return sizes;
}

}  // namespace

void SavePicture(const Image& image, const std::filesystem::path& outDir, int id) {
  const auto it = PictureSizes().find(id);
  if (it == PictureSizes().end()) throw std::runtime_error("no picture " + std::to_string(id));
  if (image.Width() != it->second.w || image.Height() != it->second.h) {
    throw std::runtime_error("picture " + std::to_string(id) + " has the wrong size");
  }
  image.WritePng(outDir / "png" / (std::to_string(id) + ".png"));
}

Image Strip(const Image* frames, int count, bool vertical) {
  const int w = frames[0].Width();
  const int h = frames[0].Height();
  Image out(vertical ? w : w * count, vertical ? h * count : h);
  for (int i = 0; i < count; ++i) {
    out.Put(frames[i], vertical ? 0 : w * i, vertical ? h * i : 0);
  }
  return out;
}

namespace {

// A pointed feather from (x0, y0) to (x1, y1).
void Feather(cairo_t* cr, double x0, double y0, double x1, double y1, double width) {
  const double mx = (x0 + x1) / 2;
  const double my = (y0 + y1) / 2;
  const double len = std::hypot(x1 - x0, y1 - y0);
  const double nx = -(y1 - y0) / len * width;
  const double ny = (x1 - x0) / len * width;
  cairo_new_sub_path(cr);
  cairo_move_to(cr, x0, y0);
  cairo_curve_to(cr, mx + nx, my + ny, x1 + nx * 0.3, y1 + ny * 0.3, x1, y1);
  cairo_curve_to(cr, x1 - nx * 0.3, y1 - ny * 0.3, mx - nx, my - ny, x0, y0);
  cairo_close_path(cr);
}

void Wing(cairo_t* cr, double rootX, double rootY, double span, int side, cairo_pattern_t* fill,
          const Rgba& line) {
  const double s = side < 0 ? -1.0 : 1.0;
  // Back to front: long flight feathers first, the covert over their roots last.
  for (int i = 4; i >= 0; --i) {
    const double angle = (-58.0 + i * 17.0) * kPi / 180;
    const double len = span * (1.0 - i * 0.12);
    Feather(cr, rootX, rootY, rootX + s * len * std::cos(angle), rootY + len * std::sin(angle),
            span * 0.12);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    SetColor(cr, line);
    cairo_stroke(cr);
  }
  const double a = -38.0 * kPi / 180;
  Feather(cr, rootX - s * span * 0.05, rootY + span * 0.05, rootX + s * span * 0.55 * std::cos(a),
          rootY + span * 0.55 * std::sin(a), span * 0.14);
  cairo_set_source(cr, fill);
  cairo_fill_preserve(cr);
  SetColor(cr, line);
  cairo_stroke(cr);
}

}  // namespace

void DrawEmblem(cairo_t* cr, double cx, double cy, double scale, cairo_pattern_t* fill,
                const Rgba& line, bool wings) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, scale, scale);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  // Unit emblem: a shield 40 wide and 48 high centred on the origin, wings spanning 120.
  cairo_new_path(cr);
  cairo_set_line_width(cr, 1.3);
  if (wings) {
    Wing(cr, -12, -4, 44, -1, fill, line);
    Wing(cr, 12, -4, 44, 1, fill, line);
  }
  ShieldPath(cr, 0, -24, 40, 48);
  cairo_set_source(cr, fill);
  cairo_fill_preserve(cr);
  SetColor(cr, line);
  cairo_set_line_width(cr, 1.6);
  cairo_stroke(cr);
  // Inner rim and the star.
  ShieldPath(cr, 0, -19.5, 31, 38);
  SetColor(cr, line);
  cairo_set_line_width(cr, 1.3);
  cairo_stroke(cr);
  StarPath(cr, 0, -3, 12, 3.6, 4);
  SetColor(cr, line);
  cairo_fill(cr);
  StarPath(cr, 0, -3, 6.5, 2.2, 4, kPi / 4);
  SetColor(cr, line);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace skingen
