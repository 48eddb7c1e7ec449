#include <string>

#include "tools/simulator/Site.h"

namespace vz::sim {

void RegisterControlPages(httplib::Server& server, SiteContext& context) {
  Recorder& recorder = context.recorder;
  server.Get("/__sim/requests", [&recorder](const httplib::Request&, httplib::Response& res) {
    res.set_content(recorder.RequestsJsonLines(), "application/x-ndjson");
  });
  server.Get("/__sim/reports", [&recorder](const httplib::Request&, httplib::Response& res) {
    res.set_content(recorder.ReportsJsonLines(), "application/x-ndjson");
  });
  const auto reset = [&recorder](const httplib::Request&, httplib::Response& res) {
    recorder.Clear();
    res.set_content("ok\n", "text/plain");
  };
  server.Get("/__sim/reset", reset);
  server.Post("/__sim/reset", reset);
  Behaviour& behaviour = context.behaviour;
  server.Get("/__sim/log-delay", [&behaviour](const httplib::Request& req, httplib::Response& res) {
    try {
      behaviour.logDelayMs.store(std::stoll(req.get_param_value("ms")));
      res.set_content("ok\n", "text/plain");
    } catch (...) {
      res.status = 400;
      res.set_content("ms=<milliseconds> expected\n", "text/plain");
    }
  });
  const Ports& ports = context.ports;
  server.Get("/__sim/ports", [&ports](const httplib::Request&, httplib::Response& res) {
    std::string json = "{";
    for (const Site site : kAllSites) {
      if (json.size() > 1) json += ',';
      json += "\"" + std::string(SiteName(site)) + "\":" + std::to_string(ports.Of(site));
    }
    res.set_content(json + "}\n", "application/json");
  });
}

}  // namespace vz::sim
