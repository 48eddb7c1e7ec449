#include "app/GtkWindowFactory.h"
#include "backends/gtk/launcher/GtkLauncherView.h"
#include "backends/gtk/web/GtkWebHost.h"
#include "core/web/CWebDlg.h"

namespace vz::app {

// The login page lives inside the launcher window, over its black browser area: it moves,
// hides and minimises with the launcher by itself. The launcher places it in screen
// coordinates; the view turns them into the launcher's own.
std::unique_ptr<ILoginDialog> MakeLoginDialog(const AppContext& context) {
  if (!context.launcherView) return nullptr;
  gtk::GtkLauncherView* launcher = context.launcherView;
  gtk::GtkWebHost::Options options;
  options.parent = launcher->ChildLayer();
  options.parentOrigin = [launcher] {
    const Rect r = launcher->ScreenRect();
    return Point{r.left, r.top};
  };
  gtk::GtkWebViewFactory views(options);
  auto dialog = std::make_unique<CWebDlg>(WebDlgDeps{context.queue, context.shell});
  if (!dialog->Create(views)) return nullptr;
  return dialog;
}

}  // namespace vz::app
