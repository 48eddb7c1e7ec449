#pragma once

#include <vector>

namespace vz::test {

// RGB (0xRRGGBB) of a screen rectangle of the current DISPLAY, row by row; empty when the
// screen cannot be read. Fast enough to poll.
std::vector<unsigned> ReadScreen(int x, int y, int width, int height);

}  // namespace vz::test
