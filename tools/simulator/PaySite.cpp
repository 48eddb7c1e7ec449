#include "tools/simulator/Site.h"

namespace vz::sim {

// The payment site.
void RegisterPaySite(httplib::Server& server, SiteContext&) {
  server.Get("/", [](const httplib::Request&, httplib::Response& res) {
    res.set_content(
        "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>pay</title></head>"
        "<body><p>simulated payment site</p></body></html>\n",
        "text/html; charset=utf-8");
  });
}

}  // namespace vz::sim
