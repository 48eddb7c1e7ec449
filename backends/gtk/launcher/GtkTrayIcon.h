#pragma once

#include <functional>
#include <memory>

#include "core/app/launcher/CMainWnd.h"
#include "core/app/launcher/LauncherPorts.h"

typedef struct _GtkStatusIcon GtkStatusIcon;
typedef struct _GtkWidget GtkWidget;

namespace vz::gtk {

// The notification icon on the X11 system tray (XEmbed), with its pop-up menu.
class GtkTrayIcon final : public ITrayIcon {
 public:
  GtkTrayIcon(std::function<void(TrayMouse)> onMouse, std::function<void(int)> onCommand);
  ~GtkTrayIcon() override;
  GtkTrayIcon(const GtkTrayIcon&) = delete;
  GtkTrayIcon& operator=(const GtkTrayIcon&) = delete;

  void Add(int iconId, const std::string& tip) override;
  void Delete() override;
  void PopupMenu(const std::vector<MenuItem>& items) override;

  bool IsEmbedded() const;

 private:
  struct PendingCommand {
    std::shared_ptr<GtkTrayIcon*> owner;
    int command;
  };
  static int OnButtonPress(GtkStatusIcon* icon, void* event, void* data);

  std::function<void(TrayMouse)> onMouse_;
  std::function<void(int)> onCommand_;
  GtkStatusIcon* icon_ = nullptr;
  GtkWidget* menu_ = nullptr;
  // Menu commands run from an idle callback that may outlive the icon.
  std::shared_ptr<GtkTrayIcon*> self_ = std::make_shared<GtkTrayIcon*>(this);
};

}  // namespace vz::gtk
