#pragma once

#include <functional>
#include <vector>

#include "core/app/launcher/LauncherPorts.h"

namespace vz::gtk {

// System-wide hot keys: passive grabs on the X root window, also with Num Lock and
// Caps Lock on, reported by id on the main loop.
class X11HotKeys final : public IHotKeys {
 public:
  explicit X11HotKeys(std::function<void(int)> onHotKey);
  ~X11HotKeys() override;
  X11HotKeys(const X11HotKeys&) = delete;
  X11HotKeys& operator=(const X11HotKeys&) = delete;

  bool Register(int id, unsigned modifiers, unsigned virtualKey) override;
  void Unregister(int id) override;

 private:
  struct Grab {
    int id;
    unsigned keycode;
    unsigned mask;
  };
  friend struct HotKeyFilter;
  void UngrabAll(const Grab& grab);

  std::function<void(int)> onHotKey_;
  std::vector<Grab> grabs_;
  bool filterInstalled_ = false;
};

}  // namespace vz::gtk
