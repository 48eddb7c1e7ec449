#pragma once

#include <cairo.h>
#include <gdk-pixbuf/gdk-pixbuf.h>

#include "core/app/Geometry.h"

namespace vz::gtk {

// Makes the bundled pictures reachable under /vozudezi/. Safe to call any number of times.
void RegisterSkinResources();

// Decodes skin picture `id` (131 to 160 but 141 and 148) into a new ARGB32 image surface that
// the caller destroys. False, with *out untouched, for an id without a picture.
bool LoadPngResource(int id, cairo_surface_t** out);

// Draws the whole image stretched into (left, top)-(right, bottom) with the context's current
// operator. At the image's own size the copy is pixel-exact. A null image draws nothing.
void DrawImageInRect(cairo_surface_t* image, cairo_t* cr, int left, int top, int right, int bottom);

// Draws the `src` part of the image stretched into `dst`; nothing outside `src` shows, so a
// frame of a strip never picks up its neighbours. Pixel-exact when the sizes match. Where
// `src` reaches past the image, the image's edge pixels repeat.
void DrawImagePart(cairo_surface_t* image, cairo_t* cr, const vz::Rect& src, const vz::Rect& dst);

// The program icon (48x48 with alpha) as a new reference, or null.
GdkPixbuf* LoadIconPixbuf();

}  // namespace vz::gtk
