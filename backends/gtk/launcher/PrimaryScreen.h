#pragma once

#include "core/app/Geometry.h"

namespace vz::gtk {

// Size of the primary monitor (the first one when none is marked primary); 0×0 without one.
Size PrimaryScreenSize();

}  // namespace vz::gtk
