#pragma once

#include "core/app/launcher/LauncherPorts.h"

namespace vz::gtk {

// Opens addresses with the desktop's default handler.
class GtkShell final : public IShell {
 public:
  void OpenUrl(const std::string& url) override;
};

}  // namespace vz::gtk
