#include "backends/gtk/skin/SkinImages.h"

#include <gdk/gdk.h>
#include <gio/gio.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <mutex>
#include <string>

// The generated header has no C++ linkage guard of its own.
extern "C" {
#include "res/VozudeziResources.h"
}

namespace vz::gtk {

namespace {

bool IsSkinPicture(int id) { return id >= 131 && id <= 160 && id != 141 && id != 148; }

struct ByteReader {
  const unsigned char* data;
  std::size_t size;
  std::size_t pos;
};

cairo_status_t ReadBytes(void* closure, unsigned char* out, unsigned int length) {
  auto* reader = static_cast<ByteReader*>(closure);
  if (reader->size - reader->pos < length) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(out, reader->data + reader->pos, length);
  reader->pos += length;
  return CAIRO_STATUS_SUCCESS;
}

// Decodes a PNG resource; opaque pictures come back from cairo as RGB24 and are widened,
// so every caller sees ARGB32.
cairo_surface_t* DecodeResource(const char* path) {
  RegisterSkinResources();
  GBytes* bytes = g_resources_lookup_data(path, G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr);
  if (bytes == nullptr) return nullptr;
  gsize size = 0;
  const auto* data = static_cast<const unsigned char*>(g_bytes_get_data(bytes, &size));
  ByteReader reader{data, size, 0};
  cairo_surface_t* decoded = cairo_image_surface_create_from_png_stream(ReadBytes, &reader);
  g_bytes_unref(bytes);
  if (cairo_surface_status(decoded) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(decoded);
    return nullptr;
  }
  if (cairo_image_surface_get_format(decoded) == CAIRO_FORMAT_ARGB32) return decoded;

  const int w = cairo_image_surface_get_width(decoded);
  const int h = cairo_image_surface_get_height(decoded);
  cairo_surface_t* argb = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cairo_t* cr = cairo_create(argb);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, decoded, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(decoded);
  if (cairo_surface_status(argb) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(argb);
    return nullptr;
  }
  return argb;
}

}  // namespace

void RegisterSkinResources() {
  static std::once_flag once;
  std::call_once(once, [] { vozudezi_register_resource(); });
}

bool LoadPngResource(int id, cairo_surface_t** out) {
  if (out == nullptr || !IsSkinPicture(id)) return false;
  const std::string path = "/vozudezi/png/" + std::to_string(id) + ".png";
  cairo_surface_t* image = DecodeResource(path.c_str());
  if (image == nullptr) return false;
  *out = image;
  return true;
}

void DrawImageInRect(cairo_surface_t* image, cairo_t* cr, int left, int top, int right,
                     int bottom) {
  if (image == nullptr) return;
  const int w = cairo_image_surface_get_width(image);
  const int h = cairo_image_surface_get_height(image);
  DrawImagePart(image, cr, vz::Rect{0, 0, w, h}, vz::Rect{left, top, right, bottom});
}

void DrawImagePart(cairo_surface_t* image, cairo_t* cr, const vz::Rect& src, const vz::Rect& dst) {
  if (image == nullptr || cr == nullptr || src.IsEmpty() || dst.IsEmpty()) return;
  const int w = cairo_image_surface_get_width(image);
  const int h = cairo_image_surface_get_height(image);
  const vz::Rect inside{std::max(src.left, 0), std::max(src.top, 0), std::min(src.right, w),
                        std::min(src.bottom, h)};
  if (inside.IsEmpty()) return;

  cairo_save(cr);
  cairo_rectangle(cr, dst.left, dst.top, dst.Width(), dst.Height());
  cairo_clip(cr);
  // A sub-surface with padded edges: the filter sees only pixels of the chosen part, and
  // where src reaches past the image its edge pixels repeat.
  cairo_surface_t* part = cairo_surface_create_for_rectangle(image, inside.left, inside.top,
                                                             inside.Width(), inside.Height());
  const double sx = static_cast<double>(dst.Width()) / src.Width();
  const double sy = static_cast<double>(dst.Height()) / src.Height();
  cairo_translate(cr, dst.left, dst.top);
  cairo_scale(cr, sx, sy);
  cairo_set_source_surface(cr, part, inside.left - src.left, inside.top - src.top);
  cairo_pattern_t* pattern = cairo_get_source(cr);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  // Same size means an integer offset: no filtering, every pixel copied as it is.
  const bool same = src.Width() == dst.Width() && src.Height() == dst.Height();
  cairo_pattern_set_filter(pattern, same ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_surface_destroy(part);
}

GdkPixbuf* LoadIconPixbuf() {
  cairo_surface_t* icon = DecodeResource("/vozudezi/icon/148.png");
  if (icon == nullptr) return nullptr;
  GdkPixbuf* pixbuf = gdk_pixbuf_get_from_surface(icon, 0, 0, cairo_image_surface_get_width(icon),
                                                  cairo_image_surface_get_height(icon));
  cairo_surface_destroy(icon);
  return pixbuf;
}

}  // namespace vz::gtk
