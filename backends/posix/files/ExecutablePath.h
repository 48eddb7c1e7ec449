#pragma once

#include <string>

namespace vz::posix {

// Full path of the running executable (/proc/self/exe); empty when it cannot be read.
std::string ExecutablePath();

}  // namespace vz::posix
