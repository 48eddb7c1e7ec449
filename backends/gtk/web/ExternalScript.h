#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

typedef struct _JSCValue JSCValue;

namespace vz::gtk {

// Name of the script message channel behind window.external.
inline constexpr const char* kExternalChannel = "vozudeziExternal";

// Longest argument the page script sends, in UTF-16 units; the receiving side bounds
// again in bytes, since a page can also post to the channel directly.
inline constexpr std::size_t kMaxScriptArgumentUnits = 32 * 1024;

// The script injected at document start into every frame of a page window with an
// external object. It defines window.external as an object whose members resolve in any
// letter case, answers getApiVersion itself (it heads the method table, so no window
// operation is involved) and posts every other call, in call order, as
// [member, arguments...] with the arguments already reduced by WD_JAPI's argument rule.
std::string ExternalObjectScript();

// One call as it arrived on the channel.
struct ScriptCall {
  std::string member;
  std::vector<std::string> args;
};

// Reads a message of the channel. Anything but an array whose first element is a string
// gives nullopt. Of the arguments only those WD_JAPI's argument rule looks at are read
// (two when there are exactly two, else the last one), so their count costs nothing;
// texts are bounded; values that are not strings, numbers or truth values read as "".
std::optional<ScriptCall> ReadScriptCall(JSCValue* message);

}  // namespace vz::gtk
