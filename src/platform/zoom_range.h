#pragma once

namespace platform {

// The window shows each client pixel as a block of 1 to largestZoom pixels a side.
inline constexpr int largestZoom = 3;

} // namespace platform
