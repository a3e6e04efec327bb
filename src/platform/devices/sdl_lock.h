#pragma once

#include <mutex>

namespace platform {

// SDL starts and stops its subsystems safely only one at a time, and the
// audio starts on a thread of its own: every start and stop holds this.
inline std::mutex& sdlSubsystemLock()
{
    static std::mutex lock;
    return lock;
}

} // namespace platform
