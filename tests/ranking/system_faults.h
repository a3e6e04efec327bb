#pragma once

#include <cstddef>

// While one of these lives, this thread's reads and writes (pwrite too, whose
// overwrite of bytes a file already has needs no room on a full disk) on any descriptor
// but standard output and error, and its lstat, misbehave as a busy or failing
// disk or a locked-away folder make them: interrupted before any byte moved,
// short, or failing. Every other thread, and every call while none lives, goes
// straight to the system.
struct SystemFaults {
    bool interruptEveryOtherCall = false;
    std::size_t atMostBytes = 0;                         // 0: as many as asked for
    int readError = 0;                                   // pread fails with this errno
    std::size_t diskRoom = static_cast<std::size_t>(-1); // writes past this many bytes fail with ENOSPC
    int lookError = 0;                                   // lstat fails with this errno
    bool writesTakeNothing = false;
    // The first overwrite of bytes a file already has that reaches this many
    // overwritten bytes fails with EIO, as a failing disk does; later ones work.
    std::size_t overwriteFailsAfter = static_cast<std::size_t>(-1);

    int calls = 0;
    int interrupted = 0;
    std::size_t written = 0;
    std::size_t overwritten = 0;

    SystemFaults();
    ~SystemFaults();
    SystemFaults(const SystemFaults&) = delete;
    SystemFaults& operator=(const SystemFaults&) = delete;
};
