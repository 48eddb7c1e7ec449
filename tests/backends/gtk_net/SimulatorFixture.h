#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "tools/simulator/Simulator.h"

namespace vz::testing {

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_.c_str(), old_->c_str(), 1);
    } else {
      unsetenv(name_.c_str());
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// One simulator on free ports for a whole suite; each test starts with empty records.
class WithSimulator : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // A proxy configured on the machine must not see the requests to our own ports.
    setenv("no_proxy", "127.0.0.1,localhost", 1);
    setenv("NO_PROXY", "127.0.0.1,localhost", 1);
    sim_ = std::make_unique<sim::Simulator>(sim::Ports::AnyFree());
    std::string error;
    ASSERT_TRUE(sim_->Start(&error)) << error;
  }
  static void TearDownTestSuite() { sim_.reset(); }
  void SetUp() override {
    ASSERT_NE(sim_, nullptr);
    sim_->recorder().Clear();
    sim_->SetLogDelay(std::chrono::milliseconds(0));
  }

  static std::string Url(sim::Site site, const std::string& pathAndQuery) {
    return sim_->BaseUrl(site) + pathAndQuery;
  }
  static std::string Url(const std::string& pathAndQuery) {
    return Url(sim::Site::Platform, pathAndQuery);
  }

  // Waits until the simulator has recorded `count` requests to `site`.
  static bool WaitForRequests(sim::Site site, std::size_t count,
                              std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (sim_->recorder().RequestsTo(site).size() < count) {
      if (std::chrono::steady_clock::now() > end) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
  }

  static inline std::unique_ptr<sim::Simulator> sim_;
};

}  // namespace vz::testing
