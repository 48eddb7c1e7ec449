#include "tools/skingen/Paint.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <utility>
#include <vector>

namespace skingen {

const char* const kSans = "Noto Sans CJK SC, WenQuanYi Zen Hei, sans-serif";
const char* const kSerif = "Noto Serif CJK SC, Noto Sans CJK SC, WenQuanYi Zen Hei, serif";

Rgba Hex(std::uint32_t rgb, double alpha) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

Rgba Mix(const Rgba& a, const Rgba& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
          a.a + (b.a - a.a) * t};
}

Image::Image(int width, int height)
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      width_(width),
      height_(height) {
  if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("cannot create image surface");
  }
}

Image::~Image() {
  if (surface_ != nullptr) cairo_surface_destroy(surface_);
}

Image::Image(Image&& other) noexcept
    : surface_(std::exchange(other.surface_, nullptr)),
      width_(other.width_),
      height_(other.height_) {}

Image& Image::operator=(Image&& other) noexcept {
  if (this != &other) {
    if (surface_ != nullptr) cairo_surface_destroy(surface_);
    surface_ = std::exchange(other.surface_, nullptr);
    width_ = other.width_;
    height_ = other.height_;
  }
  return *this;
}

Image Image::Crop(int x, int y, int w, int h) const {
  Image out(w, h);
  Canvas cr(out);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, surface_, -x, -y);
  cairo_paint(cr);
  return out;
}

void Image::Put(const Image& src, int x, int y) {
  Canvas cr(*this);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_rectangle(cr, x, y, src.Width(), src.Height());
  cairo_clip(cr);
  cairo_set_source_surface(cr, src.Surface(), x, y);
  cairo_paint(cr);
}

void Image::WritePng(const std::filesystem::path& path) const {
  cairo_surface_flush(surface_);
  if (cairo_surface_write_to_png(surface_, path.c_str()) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("cannot write " + path.string());
  }
}

Canvas::Canvas(const Image& image) : cr_(cairo_create(image.Surface())) {}

Canvas::~Canvas() { cairo_destroy(cr_); }

void Pattern::Stop(double offset, const Rgba& c) {
  cairo_pattern_add_color_stop_rgba(p_, offset, c.r, c.g, c.b, c.a);
}

void SetColor(cairo_t* cr, const Rgba& c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  const double kQuarter = kPi / 2;
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kQuarter, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kQuarter);
  cairo_arc(cr, x + r, y + h - r, r, kQuarter, 2 * kQuarter);
  cairo_arc(cr, x + r, y + r, r, 2 * kQuarter, 3 * kQuarter);
  cairo_close_path(cr);
}

cairo_pattern_t* NewGold(double y0, double y1, double brightness) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  auto stop = [&](double at, std::uint32_t rgb) {
    Rgba c = Hex(rgb);
    auto lift = [&](double v) { return std::clamp(v * brightness, 0.0, 1.0); };
    cairo_pattern_add_color_stop_rgb(p, at, lift(c.r), lift(c.g), lift(c.b));
  };
  stop(0.00, 0xFFF4C8);
  stop(0.30, 0xF2CF72);
  stop(0.52, 0xB8872E);
  stop(0.62, 0x8F6420);
  stop(0.82, 0xD9AE55);
  stop(1.00, 0xF7DE93);
  return p;
}

cairo_pattern_t* NewVertical(double y0, double y1, const Rgba& top, const Rgba& bottom) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, top.a);
  cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, bottom.a);
  return p;
}

namespace {

// One box pass along rows (dx = 1) or columns, on premultiplied bytes.
void BoxPass(std::uint8_t* data, int width, int height, int stride, int radius, bool rows) {
  const int lines = rows ? height : width;
  const int length = rows ? width : height;
  const int step = rows ? 4 : stride;
  const int window = 2 * radius + 1;
  std::vector<std::uint8_t> line(static_cast<std::size_t>(length) * 4);
  for (int l = 0; l < lines; ++l) {
    std::uint8_t* base = data + (rows ? l * stride : l * 4);
    for (int i = 0; i < length; ++i) {
      std::memcpy(&line[static_cast<std::size_t>(i) * 4], base + i * step, 4);
    }
    for (int c = 0; c < 4; ++c) {
      int sum = 0;
      auto at = [&](int i) -> int {
        if (i < 0 || i >= length) return 0;
        return line[static_cast<std::size_t>(i) * 4 + static_cast<std::size_t>(c)];
      };
      for (int i = -radius; i <= radius; ++i) sum += at(i);
      for (int i = 0; i < length; ++i) {
        base[i * step + c] = static_cast<std::uint8_t>((sum + window / 2) / window);
        sum += at(i + radius + 1) - at(i - radius);
      }
    }
  }
}

std::uint32_t Hash(std::int32_t x, std::int32_t y, std::uint32_t seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8DA6B343u ^
                    static_cast<std::uint32_t>(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
  h ^= h >> 13;
  h *= 0x5BD1E995u;
  h ^= h >> 15;
  return h;
}

double Lattice(std::int32_t x, std::int32_t y, std::uint32_t seed) {
  return (Hash(x, y, seed) & 0xFFFF) / 65535.0;
}

double SmoothNoise(double x, double y, std::uint32_t seed) {
  const double fx = std::floor(x);
  const double fy = std::floor(y);
  const auto ix = static_cast<std::int32_t>(fx);
  const auto iy = static_cast<std::int32_t>(fy);
  double tx = x - fx;
  double ty = y - fy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  const double a = Lattice(ix, iy, seed);
  const double b = Lattice(ix + 1, iy, seed);
  const double c = Lattice(ix, iy + 1, seed);
  const double d = Lattice(ix + 1, iy + 1, seed);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

}  // namespace

void Blur(Image& image, int radius) {
  if (radius <= 0) return;
  cairo_surface_flush(image.Surface());
  std::uint8_t* data = cairo_image_surface_get_data(image.Surface());
  const int stride = cairo_image_surface_get_stride(image.Surface());
  // Three box passes approximate a gaussian.
  const int r = std::max(1, radius / 2);
  for (int pass = 0; pass < 3; ++pass) {
    BoxPass(data, image.Width(), image.Height(), stride, r, true);
    BoxPass(data, image.Width(), image.Height(), stride, r, false);
  }
  cairo_surface_mark_dirty(image.Surface());
}

double FractalNoise(double x, double y, std::uint32_t seed) {
  double sum = 0;
  double amplitude = 0.5;
  double total = 0;
  for (int octave = 0; octave < 4; ++octave) {
    sum += amplitude * SmoothNoise(x, y, seed + static_cast<std::uint32_t>(octave) * 101u);
    total += amplitude;
    x *= 2.03;
    y *= 2.03;
    amplitude *= 0.5;
  }
  return sum / total;  // 0..1
}

void Grain(Image& image, double amount, double scale, std::uint32_t seed) {
  cairo_surface_flush(image.Surface());
  std::uint8_t* data = cairo_image_surface_get_data(image.Surface());
  const int stride = cairo_image_surface_get_stride(image.Surface());
  for (int y = 0; y < image.Height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
    for (int x = 0; x < image.Width(); ++x) {
      const std::uint32_t px = row[x];
      const std::uint32_t a = px >> 24;
      if (a == 0) continue;
      const double n = FractalNoise(x / scale, y / scale, seed) * 2 - 1;
      const double f = 1 + amount * n;
      auto channel = [&](int shift) {
        const double v = static_cast<double>((px >> shift) & 0xFF) * f;
        return static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, static_cast<long>(a)));
      };
      row[x] = (a << 24) | (channel(16) << 16) | (channel(8) << 8) | channel(0);
    }
  }
  cairo_surface_mark_dirty(image.Surface());
}

namespace {

cairo_font_options_t* FixedFontOptions() {
  static cairo_font_options_t* options = [] {
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_subpixel_order(o, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    return o;
  }();
  return options;
}

}  // namespace

Text::Text(cairo_t* cr, const std::string& utf8, const Font& font)
    : layout_(pango_cairo_create_layout(cr)) {
  PangoContext* context = pango_layout_get_context(layout_);
  pango_cairo_context_set_font_options(context, FixedFontOptions());
  pango_cairo_context_set_resolution(context, 96);
  pango_layout_context_changed(layout_);

  PangoFontDescription* desc = pango_font_description_new();
  pango_font_description_set_family(desc, font.family);
  pango_font_description_set_absolute_size(desc, font.px * PANGO_SCALE);
  pango_font_description_set_weight(desc, font.weight);
  pango_layout_set_font_description(layout_, desc);
  pango_font_description_free(desc);

  if (font.letterSpacing != 0) {
    PangoAttrList* attrs = pango_attr_list_new();
    pango_attr_list_insert(
        attrs, pango_attr_letter_spacing_new(static_cast<int>(font.letterSpacing * PANGO_SCALE)));
    pango_layout_set_attributes(layout_, attrs);
    pango_attr_list_unref(attrs);
  }
  pango_layout_set_text(layout_, utf8.c_str(), -1);
}

Text::~Text() { g_object_unref(layout_); }

PangoRectangle Text::Ink() const {
  PangoRectangle ink;
  pango_layout_get_extents(layout_, &ink, nullptr);
  return ink;
}

void Text::OriginForCentre(double cx, double cy, double* x, double* y) const {
  const PangoRectangle ink = Ink();
  const double s = PANGO_SCALE;
  *x = cx - (ink.x + ink.width / 2.0) / s;
  *y = cy - (ink.y + ink.height / 2.0) / s;
}

void Text::AddPath(cairo_t* cr, double x, double y) const {
  cairo_move_to(cr, x, y);
  pango_cairo_layout_path(cr, layout_);
}

void Text::Show(cairo_t* cr, double x, double y) const {
  cairo_move_to(cr, x, y);
  pango_cairo_show_layout(cr, layout_);
  cairo_new_path(cr);
}

void CentredText(cairo_t* cr, const std::string& utf8, const Font& font, double cx, double cy) {
  Text text(cr, utf8, font);
  double x = 0;
  double y = 0;
  text.OriginForCentre(cx, cy, &x, &y);
  text.Show(cr, x, y);
}

void EngravedText(cairo_t* cr, const std::string& utf8, const Font& font, double cx, double cy,
                  cairo_pattern_t* fill, const Rgba& outline, double outlineWidth) {
  Text text(cr, utf8, font);
  double x = 0;
  double y = 0;
  text.OriginForCentre(cx, cy, &x, &y);
  cairo_save(cr);
  cairo_new_path(cr);
  text.AddPath(cr, x, y + outlineWidth * 0.8);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
  cairo_set_line_width(cr, outlineWidth * 2);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
  cairo_new_path(cr);
  text.AddPath(cr, x, y);
  SetColor(cr, outline);
  cairo_set_line_width(cr, outlineWidth);
  cairo_stroke_preserve(cr);
  cairo_set_source(cr, fill);
  cairo_fill(cr);
  cairo_restore(cr);
}

void ShieldPath(cairo_t* cr, double cx, double top, double w, double h) {
  const double l = cx - w / 2;
  const double r = cx + w / 2;
  cairo_new_sub_path(cr);
  cairo_move_to(cr, l, top + h * 0.06);
  cairo_curve_to(cr, l + w * 0.22, top + h * 0.08, cx - w * 0.12, top + h * 0.02, cx, top);
  cairo_curve_to(cr, cx + w * 0.12, top + h * 0.02, r - w * 0.22, top + h * 0.08, r,
                 top + h * 0.06);
  cairo_curve_to(cr, r, top + h * 0.45, r - w * 0.08, top + h * 0.78, cx, top + h);
  cairo_curve_to(cr, l + w * 0.08, top + h * 0.78, l, top + h * 0.45, l, top + h * 0.06);
  cairo_close_path(cr);
}

void StarPath(cairo_t* cr, double cx, double cy, double rOuter, double rInner, int points,
              double rotation) {
  cairo_new_sub_path(cr);
  for (int i = 0; i < points * 2; ++i) {
    const double angle = rotation - kPi / 2 + i * kPi / points;
    const double r = (i % 2 == 0) ? rOuter : rInner;
    const double px = cx + r * std::cos(angle);
    const double py = cy + r * std::sin(angle);
    if (i == 0) {
      cairo_move_to(cr, px, py);
    } else {
      cairo_line_to(cr, px, py);
    }
  }
  cairo_close_path(cr);
}

void ShutdownText() {
  pango_cairo_font_map_set_default(nullptr);
  cairo_debug_reset_static_data();
  FcFini();
}

}  // namespace skingen
