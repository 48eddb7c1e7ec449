#include "backends/gtk/web/ExternalScript.h"

#include <jsc/jsc.h>

#include "core/web/CJSDispatch.h"
#include "core/web/PageText.h"

namespace vz::gtk {
namespace {

// Every page-reachable function used after page script has run is captured here first,
// so a page that replaces String.prototype methods only breaks its own calls.
constexpr const char* kTemplate = R"JS((function () {
  'use strict';
  var handlers = window.webkit && window.webkit.messageHandlers;
  var channel = handlers && handlers['@CHANNEL@'];
  if (!channel) return;
  var call = Function.prototype.call;
  var post = call.bind(channel.postMessage, channel);
  var indexOf = call.bind(String.prototype.indexOf);
  var slice = call.bind(String.prototype.slice);
  var codeAt = call.bind(String.prototype.charCodeAt);
  var toText = String;
  var MAX = @MAX@;
  function text(v) {
    if (v === undefined || v === null) return '';
    var s;
    try { s = typeof v === 'string' ? v : toText(v); } catch (e) { return ''; }
    if (typeof s !== 'string') return '';
    return s.length > MAX ? slice(s, 0, MAX) : s;
  }
  function sameName(a, b) {
    if (a.length !== b.length) return false;
    for (var i = 0; i < a.length; i++) {
      var x = codeAt(a, i), y = codeAt(b, i);
      if (x >= 65 && x <= 90) x += 32;
      if (y >= 65 && y <= 90) y += 32;
      if (x !== y) return false;
    }
    return true;
  }
  function wdJapi() {
    var n = arguments.length;
    if (n === 0) return undefined;
    var name = text(arguments[n === 2 ? 0 : n - 1]);
    if (indexOf(name, '@VERSION_METHOD@') >= 0) return '@VERSION@';
    post(n === 2 ? ['@WD_JAPI@', name, text(arguments[1])] : ['@WD_JAPI@', name]);
    return undefined;
  }
  function apiClose() {
    post(['@API_CLOSE@']);
    return undefined;
  }
  function member(key) {
    if (typeof key !== 'string') return undefined;
    if (sameName(key, '@WD_JAPI@')) return wdJapi;
    if (sameName(key, '@API_CLOSE@')) return apiClose;
    return undefined;
  }
  var refuse = function () { return false; };
  var external = new Proxy({}, {
    get: function (t, key) { return member(key); },
    has: function (t, key) { return member(key) !== undefined; },
    set: refuse,
    defineProperty: refuse,
    deleteProperty: refuse
  });
  try {
    Object.defineProperty(window, 'external',
        { value: external, writable: false, enumerable: true, configurable: false });
  } catch (e) {}
})();)JS";

void ReplaceAll(std::string& s, std::string_view from, std::string_view to) {
  for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
    s.replace(at, from.size(), to);
}

}  // namespace

std::string ExternalObjectScript() {
  std::string s = kTemplate;
  ReplaceAll(s, "@CHANNEL@", kExternalChannel);
  ReplaceAll(s, "@MAX@", std::to_string(kMaxScriptArgumentUnits));
  ReplaceAll(s, "@VERSION_METHOD@", kApiVersionMethod);
  ReplaceAll(s, "@VERSION@", kApiVersion);
  ReplaceAll(s, "@WD_JAPI@", kMemberWdJapi);
  ReplaceAll(s, "@API_CLOSE@", kMemberApiClose);
  return s;
}

namespace {

std::string ReadText(JSCValue* value) {
  if (!value) return {};
  if (!jsc_value_is_string(value) && !jsc_value_is_number(value) && !jsc_value_is_boolean(value))
    return {};
  char* raw = jsc_value_to_string(value);
  if (!raw) return {};
  std::string text = BoundPageText(raw);
  g_free(raw);
  return text;
}

std::string ReadElement(JSCValue* array, unsigned index) {
  JSCValue* element = jsc_value_object_get_property_at_index(array, index);
  std::string text = ReadText(element);
  if (element) g_object_unref(element);
  return text;
}

}  // namespace

std::optional<ScriptCall> ReadScriptCall(JSCValue* message) {
  if (!message || !jsc_value_is_array(message)) return std::nullopt;
  JSCValue* lengthValue = jsc_value_object_get_property(message, "length");
  if (!lengthValue) return std::nullopt;
  const double length = jsc_value_is_number(lengthValue) ? jsc_value_to_double(lengthValue) : 0;
  g_object_unref(lengthValue);
  if (!(length >= 1 && length <= 4294967295.0)) return std::nullopt;
  const auto count = static_cast<unsigned>(length);

  JSCValue* first = jsc_value_object_get_property_at_index(message, 0);
  const bool named = first && jsc_value_is_string(first);
  if (first) g_object_unref(first);
  if (!named) return std::nullopt;

  ScriptCall call;
  call.member = ReadElement(message, 0);
  const unsigned args = count - 1;
  if (args == 2) {
    call.args.push_back(ReadElement(message, 1));
    call.args.push_back(ReadElement(message, 2));
  } else if (args > 0) {
    call.args.push_back(ReadElement(message, count - 1));
  }
  return call;
}

}  // namespace vz::gtk
