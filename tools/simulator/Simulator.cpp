#include "tools/simulator/Simulator.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <thread>

#include "backends/posix/IconvCodePage.h"
#include "tools/simulator/Site.h"

namespace vz::sim {

int Ports::Of(Site site) const { return const_cast<Ports*>(this)->Of(site); }

int& Ports::Of(Site site) {
  switch (site) {
    case Site::Platform:
      return platform;
    case Site::Game:
      return game;
    case Site::Pay:
      return pay;
    case Site::Log:
      return log;
    case Site::Service:
      break;
  }
  return service;
}

void StopSignal::Stop() {
  std::lock_guard lock(mutex_);
  stopped_ = true;
  changed_.notify_all();
}

bool StopSignal::SleepFor(std::chrono::milliseconds duration) {
  std::unique_lock lock(mutex_);
  return !changed_.wait_for(lock, duration, [this] { return stopped_; });
}

namespace {

constexpr const char* kHost = "127.0.0.1";

void Register(Site site, httplib::Server& server, SiteContext& context) {
  switch (site) {
    case Site::Platform:
      return RegisterPlatformSite(server, context);
    case Site::Game:
      return RegisterGameSite(server, context);
    case Site::Pay:
      return RegisterPaySite(server, context);
    case Site::Log:
      return RegisterLogSite(server, context);
    case Site::Service:
      return RegisterServiceSite(server, context);
  }
}

RecordedRequest Record(Site site, const httplib::Request& req) {
  RecordedRequest r;
  r.site = site;
  r.method = req.method;
  r.target = req.target;
  r.path = req.path;
  r.version = req.version;
  for (const auto& [name, value] : req.headers) {
    // The server library files the connection's addresses among the headers.
    if (name == "LOCAL_ADDR" || name == "LOCAL_PORT" || name == "REMOTE_ADDR" ||
        name == "REMOTE_PORT") {
      continue;
    }
    r.headers.emplace_back(name, value);
  }
  r.remoteAddr = req.remote_addr;
  r.remotePort = req.remote_port;
  return r;
}

}  // namespace

struct Simulator::Impl {
  struct Running {
    Site site;
    std::unique_ptr<httplib::Server> server;
    std::unique_ptr<SiteContext> context;
    std::thread thread;
  };

  Ports requested;
  Ports bound;
  Recorder recorder;
  StopSignal stop;
  Behaviour behaviour;
  posix::IconvCodePage codePage;
  std::vector<Running> sites;
  bool started = false;
};

Simulator::Simulator(Ports ports) : impl_(std::make_unique<Impl>()) { impl_->requested = ports; }

Simulator::~Simulator() { Stop(); }

bool Simulator::Start(std::string* error) {
  if (impl_->started) return true;
  for (const Site site : kAllSites) {
    auto server = std::make_unique<httplib::Server>();
    // A few threads per site are plenty; the default pool is sized for real servers.
    server->new_task_queue = [] { return new httplib::ThreadPool(4); };
    // Without SO_REUSEPORT (the library's default sets it), so a taken port is an error
    // rather than two simulators sharing it.
    server->set_socket_options([](socket_t sock) {
      int yes = 1;
      setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    server->set_tcp_nodelay(true);
    auto context = std::make_unique<SiteContext>(SiteContext{
        site, impl_->recorder, impl_->stop, impl_->behaviour, impl_->codePage, impl_->bound});
    Recorder& recorder = impl_->recorder;
    server->set_pre_routing_handler(
        [site, &recorder](const httplib::Request& req, httplib::Response&) {
          if (req.path.rfind("/__sim/", 0) != 0) recorder.AddRequest(Record(site, req));
          return httplib::Server::HandlerResponse::Unhandled;
        });
    RegisterControlPages(*server, *context);
    RegisterTestPages(*server, *context);
    Register(site, *server, *context);

    const int wanted = impl_->requested.Of(site);
    int port = wanted;
    if (wanted == 0) {
      port = server->bind_to_any_port(kHost);
    } else if (!server->bind_to_port(kHost, wanted)) {
      port = -1;
    }
    if (port <= 0) {
      if (error != nullptr) {
        *error = "cannot listen on " + std::string(kHost) + ":" + std::to_string(wanted) +
                 " for the " + std::string(SiteName(site)) + " site";
      }
      Stop();
      return false;
    }
    impl_->bound.Of(site) = port;
    impl_->sites.push_back({site, std::move(server), std::move(context), {}});
  }
  for (auto& running : impl_->sites) {
    httplib::Server* server = running.server.get();
    running.thread = std::thread([server] { server->listen_after_bind(); });
  }
  // stop() is ignored by a server that has not begun its loop, so wait for every loop.
  for (auto& running : impl_->sites) {
    while (!running.server->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  impl_->started = true;
  return true;
}

void Simulator::Stop() {
  impl_->stop.Stop();
  for (auto& running : impl_->sites) running.server->stop();
  for (auto& running : impl_->sites) {
    if (running.thread.joinable()) running.thread.join();
  }
  impl_->sites.clear();
  impl_->started = false;
}

Ports Simulator::ports() const { return impl_->bound; }

std::string Simulator::BaseUrl(Site site) const {
  return "http://" + std::string(kHost) + ":" + std::to_string(impl_->bound.Of(site));
}

Recorder& Simulator::recorder() { return impl_->recorder; }

void Simulator::SetLogDelay(std::chrono::milliseconds delay) {
  impl_->behaviour.logDelayMs.store(delay.count());
}

RefusedPort::RefusedPort() {
  fd_ = socket(AF_INET, SOCK_STREAM, 0);
  if (fd_ < 0) return;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    return;
  }
  port_ = ntohs(address.sin_port);
}

RefusedPort::~RefusedPort() {
  if (fd_ >= 0) close(fd_);
}

}  // namespace vz::sim
