#include "tools/simulator/Site.h"
#include "tools/simulator/pages/GamePage.h"

namespace vz::sim {

// The game site root: home page and forum links.
void RegisterGameSite(httplib::Server& server, SiteContext& context) {
  RegisterGamePage(server, context);
  server.Get("/", [](const httplib::Request&, httplib::Response& res) {
    res.set_content(
        "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>game</title></head>"
        "<body><p>simulated game site</p></body></html>\n",
        "text/html; charset=utf-8");
  });
}

}  // namespace vz::sim
