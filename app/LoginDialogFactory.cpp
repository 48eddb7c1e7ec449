#include "app/GtkWindowFactory.h"

namespace vz::app {

// No login page yet: the launcher runs without one.
std::unique_ptr<ILoginDialog> MakeLoginDialog(const AppContext&) { return nullptr; }

}  // namespace vz::app
