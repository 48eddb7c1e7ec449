// vozudezi-simulator: the platform's sites on 127.0.0.1 until SIGINT or SIGTERM.
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "tools/simulator/Simulator.h"

namespace {

void Usage(std::FILE* out) {
  std::fprintf(out,
               "usage: vozudezi-simulator [--any-ports] [--platform-port N] [--game-port N]\n"
               "                          [--pay-port N] [--log-port N] [--service-port N]\n"
               "Serves the platform's sites on 127.0.0.1 (defaults 18080 to 18084; 0 or\n"
               "--any-ports picks free ports). Prints one line \"ready platform=P game=G\n"
               "pay=Y log=L service=S\" once serving; stops on SIGINT or SIGTERM.\n");
}

bool ParsePort(const char* text, int& port) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 0 || value > 65535) return false;
  port = static_cast<int>(value);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  vz::sim::Ports ports;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    int* target = nullptr;
    if (arg == "--help" || arg == "-h") {
      Usage(stdout);
      return 0;
    } else if (arg == "--any-ports") {
      ports = vz::sim::Ports::AnyFree();
      continue;
    } else if (arg == "--platform-port") {
      target = &ports.platform;
    } else if (arg == "--game-port") {
      target = &ports.game;
    } else if (arg == "--pay-port") {
      target = &ports.pay;
    } else if (arg == "--log-port") {
      target = &ports.log;
    } else if (arg == "--service-port") {
      target = &ports.service;
    }
    if (target == nullptr || i + 1 >= argc || !ParsePort(argv[i + 1], *target)) {
      std::fprintf(stderr, "vozudezi-simulator: bad argument \"%s\"\n", argv[i]);
      Usage(stderr);
      return 2;
    }
    ++i;
  }

  // Block the stop signals before any server thread exists, then wait for them here.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  vz::sim::Simulator simulator(ports);
  std::string error;
  if (!simulator.Start(&error)) {
    std::fprintf(stderr, "vozudezi-simulator: %s\n", error.c_str());
    return 1;
  }
  const vz::sim::Ports bound = simulator.ports();
  std::printf("ready platform=%d game=%d pay=%d log=%d service=%d\n", bound.platform, bound.game,
              bound.pay, bound.log, bound.service);
  std::fflush(stdout);

  int received = 0;
  sigwait(&stopSignals, &received);
  simulator.Stop();
  return 0;
}
