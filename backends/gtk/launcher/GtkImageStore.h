#pragma once

#include <cairo.h>

#include <unordered_map>

#include "core/app/launcher/LauncherPorts.h"

namespace vz::gtk {

// Decoded skin pictures by id, kept until freed.
class GtkImageStore final : public IImageStore {
 public:
  GtkImageStore() = default;
  ~GtkImageStore() override;
  GtkImageStore(const GtkImageStore&) = delete;
  GtkImageStore& operator=(const GtkImageStore&) = delete;

  bool LoadPngResource(int id, Size* size) override;
  void Free(int id) override;
  // Null when the picture is not loaded.
  cairo_surface_t* Get(int id) const;

 private:
  std::unordered_map<int, cairo_surface_t*> images_;
};

}  // namespace vz::gtk
