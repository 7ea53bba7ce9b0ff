// The number of controls alive in the process, for the library's unload test.
#pragma once

#include <atomic>

namespace glyphterm {

std::atomic<int> &liveControls();

} // namespace glyphterm
