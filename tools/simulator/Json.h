#pragma once

#include <string>
#include <string_view>

namespace vz::sim {

// A JSON string literal, quotes included; ill-formed UTF-8 becomes U+FFFD.
std::string JsonString(std::string_view text);

}  // namespace vz::sim
