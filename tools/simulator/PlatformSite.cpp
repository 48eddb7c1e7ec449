#include "tools/simulator/Site.h"
#include "tools/simulator/pages/LoginPage.h"
#include "tools/simulator/pages/ServicePage.h"

namespace vz::sim {

// The platform site: login, binding and customer-service pages, heartbeat.
void RegisterPlatformSite(httplib::Server& server, SiteContext& context) {
  RegisterLoginPage(server, context);
  RegisterServicePage(server, context);
}

}  // namespace vz::sim
