#pragma once

#include "core/app/launcher/LauncherPorts.h"

namespace vz::gtk {

class GtkMessageBox final : public IMessageBox {
 public:
  bool AskOkCancel(const std::string& text, const std::string& caption) override;
};

}  // namespace vz::gtk
