# Usage: cmake -DSCAN_DIR=<dir> -P CheckCorePurity.cmake
file(GLOB_RECURSE sources "${SCAN_DIR}/*.h" "${SCAN_DIR}/*.cpp")
set(forbidden
  "gtk/" "gdk/" "glib" "gio/" "gobject/" "webkit" "JavaScriptCore" "X11/" "xcb/"
  "curl/" "cairo" "pango" "iconv.h" "windows.h" "winsock" "unistd.h" "sys/"
  "netinet/" "net/if" "ifaddrs.h" "dlfcn.h" "pthread.h" "httplib.h")
set(bad "")
foreach(src IN LISTS sources)
  file(STRINGS "${src}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS includes)
    foreach(f IN LISTS forbidden)
      string(FIND "${line}" "${f}" pos)
      if(NOT pos EQUAL -1)
        list(APPEND bad "${src}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(bad)
  list(JOIN bad "\n  " msg)
  message(FATAL_ERROR "Platform headers in the core:\n  ${msg}")
endif()
