#include "backends/gtk/launcher/GtkImageStore.h"

#include "backends/gtk/skin/SkinImages.h"

namespace vz::gtk {

GtkImageStore::~GtkImageStore() {
  for (auto& [id, surface] : images_) cairo_surface_destroy(surface);
}

bool GtkImageStore::LoadPngResource(int id, Size* size) {
  if (auto it = images_.find(id); it != images_.end()) {
    *size = {cairo_image_surface_get_width(it->second), cairo_image_surface_get_height(it->second)};
    return true;
  }
  cairo_surface_t* surface = nullptr;
  if (!gtk::LoadPngResource(id, &surface) || !surface) return false;
  images_[id] = surface;
  *size = {cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface)};
  return true;
}

void GtkImageStore::Free(int id) {
  if (auto it = images_.find(id); it != images_.end()) {
    cairo_surface_destroy(it->second);
    images_.erase(it);
  }
}

cairo_surface_t* GtkImageStore::Get(int id) const {
  auto it = images_.find(id);
  return it == images_.end() ? nullptr : it->second;
}

}  // namespace vz::gtk
