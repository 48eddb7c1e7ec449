// Compiled into every program that links the simulator library (see CMakeLists.txt).
//
// The server library comes from the distribution without ThreadSanitizer instrumentation:
// its lock-free fast paths (such as function-local statics after their first use) are
// invisible to the sanitizer, which then reports the memcpy/memcmp it does intercept there
// as races. Our own code stays fully checked.
extern "C" const char* __tsan_default_suppressions() {
  return "called_from_lib:libcpp-httplib.so\n";
}
