#include "backends/gtk/launcher/X11HotKeys.h"

#include <X11/Xlib.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include "backends/gtk/launcher/VirtualKeys.h"
#include "core/app/settings/Settings.h"

namespace vz::gtk {

// The root-window filter, with the exact signature GDK calls.
struct HotKeyFilter {
  static GdkFilterReturn Run(GdkXEvent* xevent, GdkEvent* event, gpointer data);
};

namespace {

// Lock modifiers that must not stop the key from working.
constexpr unsigned kLockVariants[] = {0, LockMask, Mod2Mask, LockMask | Mod2Mask};

Display* XDisplayOrNull() {
  GdkDisplay* display = gdk_display_get_default();
  if (!display || !GDK_IS_X11_DISPLAY(display)) return nullptr;
  return GDK_DISPLAY_XDISPLAY(display);
}

unsigned MaskFromModifiers(unsigned modifiers) {
  unsigned mask = 0;
  if (modifiers & MOD_ALT) mask |= Mod1Mask;
  if (modifiers & MOD_CONTROL) mask |= ControlMask;
  if (modifiers & MOD_SHIFT) mask |= ShiftMask;
  return mask;
}

}  // namespace

X11HotKeys::X11HotKeys(std::function<void(int)> onHotKey) : onHotKey_(std::move(onHotKey)) {}

X11HotKeys::~X11HotKeys() {
  while (!grabs_.empty()) Unregister(grabs_.front().id);
  if (filterInstalled_) {
    gdk_window_remove_filter(gdk_get_default_root_window(), &HotKeyFilter::Run, this);
  }
}

bool X11HotKeys::Register(int id, unsigned modifiers, unsigned virtualKey) {
  Display* dpy = XDisplayOrNull();
  if (!dpy) return false;
  // Like the system call: a second registration under an id replaces nothing; it fails.
  for (const Grab& g : grabs_) {
    if (g.id == id) return false;
  }
  const KeySym keysym = KeysymFromVirtualKey(virtualKey & 0xFFFF);
  if (keysym == 0) return false;
  const KeyCode keycode = XKeysymToKeycode(dpy, keysym);
  if (keycode == 0) return false;
  const Grab grab{id, keycode, MaskFromModifiers(modifiers)};
  const Window root = DefaultRootWindow(dpy);

  GdkDisplay* display = gdk_display_get_default();
  gdk_x11_display_error_trap_push(display);
  for (unsigned lock : kLockVariants) {
    XGrabKey(dpy, keycode, grab.mask | lock, root, False, GrabModeAsync, GrabModeAsync);
  }
  XSync(dpy, False);
  // BadAccess: another program holds the key. Fail silently and leave nothing behind.
  if (gdk_x11_display_error_trap_pop(display) != 0) {
    UngrabAll(grab);
    return false;
  }
  if (!filterInstalled_) {
    gdk_window_add_filter(gdk_get_default_root_window(), &HotKeyFilter::Run, this);
    filterInstalled_ = true;
  }
  grabs_.push_back(grab);
  return true;
}

void X11HotKeys::UngrabAll(const Grab& grab) {
  Display* dpy = XDisplayOrNull();
  if (!dpy) return;
  GdkDisplay* display = gdk_display_get_default();
  gdk_x11_display_error_trap_push(display);
  for (unsigned lock : kLockVariants) {
    XUngrabKey(dpy, static_cast<int>(grab.keycode), grab.mask | lock, DefaultRootWindow(dpy));
  }
  XSync(dpy, False);
  gdk_x11_display_error_trap_pop_ignored(display);
}

void X11HotKeys::Unregister(int id) {
  for (auto it = grabs_.begin(); it != grabs_.end(); ++it) {
    if (it->id == id) {
      UngrabAll(*it);
      grabs_.erase(it);
      return;
    }
  }
}

GdkFilterReturn HotKeyFilter::Run(GdkXEvent* xevent, GdkEvent*, gpointer data) {
  auto* self = static_cast<X11HotKeys*>(data);
  const auto* ev = static_cast<const XEvent*>(xevent);
  if (ev->type != KeyPress) return GDK_FILTER_CONTINUE;
  const unsigned relevant = ShiftMask | ControlMask | Mod1Mask;
  for (const X11HotKeys::Grab& g : self->grabs_) {
    if (ev->xkey.keycode == g.keycode && (ev->xkey.state & relevant) == g.mask) {
      const int id = g.id;
      if (self->onHotKey_) self->onHotKey_(id);
      return GDK_FILTER_REMOVE;
    }
  }
  return GDK_FILTER_CONTINUE;
}

}  // namespace vz::gtk
