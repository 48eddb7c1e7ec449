#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include "tools/simulator/Recorder.h"

namespace vz::sim {

// The ports of the five sites; 0 asks for a free port. The defaults are those of the
// endpoints in a fresh static.ini.
struct Ports {
  int platform = 18080;
  int game = 18081;
  int pay = 18082;
  int log = 18083;
  int service = 18084;

  int Of(Site site) const;
  int& Of(Site site);
  static Ports AnyFree() { return {0, 0, 0, 0, 0}; }
};

// The platform on 127.0.0.1 only. Every site records the requests it gets (except the
// /__sim/ control pages) and answers the /__test/ pages that the network tests use.
class Simulator {
 public:
  explicit Simulator(Ports ports = {});
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  // Binds every site and starts serving; false (with the reason) when a port is taken.
  bool Start(std::string* error = nullptr);
  // Ends slow answers at once, stops every site and joins its threads.
  void Stop();

  // The bound ports, once started.
  Ports ports() const;
  // "http://127.0.0.1:<port>" of the site.
  std::string BaseUrl(Site site) const;
  Recorder& recorder();

  // Makes the log endpoint wait this long before it answers (0: at once).
  void SetLogDelay(std::chrono::milliseconds delay);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// A port on 127.0.0.1 that refuses connections while the holder lives: bound, never
// listening, so no one else can take it in the meantime.
class RefusedPort {
 public:
  RefusedPort();
  ~RefusedPort();
  RefusedPort(const RefusedPort&) = delete;
  RefusedPort& operator=(const RefusedPort&) = delete;
  int port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

}  // namespace vz::sim
