#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include <cstdint>
#include <filesystem>
#include <numbers>
#include <string>

namespace skingen {

inline constexpr double kPi = std::numbers::pi;

struct Rgba {
  double r = 0;
  double g = 0;
  double b = 0;
  double a = 1;
};

// 0xRRGGBB to a colour.
Rgba Hex(std::uint32_t rgb, double alpha = 1.0);
Rgba Mix(const Rgba& a, const Rgba& b, double t);

// An ARGB32 picture that owns its cairo surface.
class Image {
 public:
  Image(int width, int height);
  ~Image();
  Image(Image&& other) noexcept;
  Image& operator=(Image&& other) noexcept;
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  cairo_surface_t* Surface() const { return surface_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  Image Crop(int x, int y, int w, int h) const;
  // Copies `src` to (x, y), replacing what is there.
  void Put(const Image& src, int x, int y);
  void WritePng(const std::filesystem::path& path) const;

 private:
  cairo_surface_t* surface_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// A cairo context on an image, destroyed with the object.
class Canvas {
 public:
  explicit Canvas(const Image& image);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  operator cairo_t*() const { return cr_; }

 private:
  cairo_t* cr_;
};

// A pattern destroyed with the object.
class Pattern {
 public:
  explicit Pattern(cairo_pattern_t* p) : p_(p) {}
  ~Pattern() { cairo_pattern_destroy(p_); }
  Pattern(const Pattern&) = delete;
  Pattern& operator=(const Pattern&) = delete;
  operator cairo_pattern_t*() const { return p_; }
  void Stop(double offset, const Rgba& c);

 private:
  cairo_pattern_t* p_;
};

void SetColor(cairo_t* cr, const Rgba& c);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
// Metallic gold running from y0 to y1.
cairo_pattern_t* NewGold(double y0, double y1, double brightness = 1.0);
cairo_pattern_t* NewVertical(double y0, double y1, const Rgba& top, const Rgba& bottom);

// Gaussian-like blur (three box passes) of every channel, in place.
void Blur(Image& image, int radius);
// Multiplies the colour channels by 1 + amount * noise, with deterministic fractal noise.
void Grain(Image& image, double amount, double scale, std::uint32_t seed);
double FractalNoise(double x, double y, std::uint32_t seed);

// Text through pango with fixed font options, so every run gives the same pixels.
struct Font {
  const char* family;
  double px;
  PangoWeight weight = PANGO_WEIGHT_NORMAL;
  double letterSpacing = 0;
};

extern const char* const kSans;   // CJK sans family list
extern const char* const kSerif;  // CJK serif family list

class Text {
 public:
  Text(cairo_t* cr, const std::string& utf8, const Font& font);
  ~Text();
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;

  // Ink box of the glyphs relative to the layout origin.
  PangoRectangle Ink() const;
  // Layout origin that puts the ink box's centre at (cx, cy).
  void OriginForCentre(double cx, double cy, double* x, double* y) const;
  void AddPath(cairo_t* cr, double x, double y) const;
  void Show(cairo_t* cr, double x, double y) const;

 private:
  PangoLayout* layout_;
};

// Fills centred text with the current source of cr.
void CentredText(cairo_t* cr, const std::string& utf8, const Font& font, double cx, double cy);
// Fancy title text: soft shadow, dark outline, metallic fill.
void EngravedText(cairo_t* cr, const std::string& utf8, const Font& font, double cx, double cy,
                  cairo_pattern_t* fill, const Rgba& outline, double outlineWidth);

// Shapes shared by the emblem, the logo and the icon.
void ShieldPath(cairo_t* cr, double cx, double top, double w, double h);
void StarPath(cairo_t* cr, double cx, double cy, double rOuter, double rInner, int points,
              double rotation = 0);

// Paints a blurred copy of whatever `shape` draws, tinted with colour, onto cr.
template <typename F>
void Glow(cairo_t* cr, int width, int height, int radius, const Rgba& colour, F&& shape) {
  Image mask(width, height);
  {
    Canvas m(mask);
    cairo_set_source_rgba(m, 1, 1, 1, 1);
    shape(static_cast<cairo_t*>(m));
  }
  Blur(mask, radius);
  cairo_save(cr);
  SetColor(cr, colour);
  cairo_mask_surface(cr, mask.Surface(), 0, 0);
  cairo_restore(cr);
}

// Releases fontconfig and pango caches at exit so leak checkers stay quiet.
void ShutdownText();

}  // namespace skingen
