#include "tools/simulator/Site.h"

namespace vz::sim {

// The platform site: login, binding and customer-service pages, heartbeat.
void RegisterPlatformSite(httplib::Server& server, SiteContext&) {
  // Placeholder until the login page with its server list arrives.
  server.Get("/game/s/wdAccess/", [](const httplib::Request&, httplib::Response& res) {
    res.set_content(
        "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>login</title></head>"
        "<body><p>simulated login page</p></body></html>\n",
        "text/html; charset=utf-8");
  });
}

}  // namespace vz::sim
