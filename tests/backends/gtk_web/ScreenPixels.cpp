#include "ScreenPixels.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace vz::test {

std::vector<unsigned> ReadScreen(int x, int y, int width, int height) {
  std::vector<unsigned> pixels;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return pixels;
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (image) {
    pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int row = 0; row < height; ++row) {
      for (int col = 0; col < width; ++col) {
        pixels.push_back(static_cast<unsigned>(XGetPixel(image, col, row) & 0xFFFFFF));
      }
    }
    XDestroyImage(image);
  }
  XCloseDisplay(display);
  return pixels;
}

}  // namespace vz::test
