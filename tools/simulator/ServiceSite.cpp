#include "tools/simulator/Site.h"

namespace vz::sim {

// The customer-service server named to the chat library. Placeholder until the stand-in
// library's protocol arrives.
void RegisterServiceSite(httplib::Server& server, SiteContext&) {
  server.Get("/", [](const httplib::Request&, httplib::Response& res) {
    res.set_content("simulated customer-service server\n", "text/plain");
  });
}

}  // namespace vz::sim
