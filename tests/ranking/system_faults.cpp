#include "tests/ranking/system_faults.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace {

thread_local SystemFaults* active = nullptr;

template <typename Call>
Call next(const char* name)
{
    return reinterpret_cast<Call>(::dlsym(RTLD_NEXT, name));
}

// What a read or write on fd does instead of its work: -1 with errno set, 0 for
// a write that took nothing, or 1 to go on, with size cut to what is allowed.
int misbehave(int fd, std::size_t& size, bool isWrite, bool needsRoom = true)
{
    if (!active || fd == 1 || fd == 2)
        return 1;
    if (active->interruptEveryOtherCall && ++active->calls % 2 == 1) {
        ++active->interrupted;
        errno = EINTR;
        return -1;
    }
    if (!isWrite && active->readError != 0) {
        errno = active->readError;
        return -1;
    }
    if (isWrite && needsRoom && active->written >= active->diskRoom) {
        errno = ENOSPC;
        return -1;
    }
    // As the system does, a write that takes nothing leaves errno as it was.
    if (isWrite && active->writesTakeNothing && size > 0)
        return 0;
    if (active->atMostBytes > 0)
        size = std::min(size, active->atMostBytes);
    if (isWrite && needsRoom)
        size = std::min(size, active->diskRoom - active->written);
    return 1;
}

} // namespace

SystemFaults::SystemFaults()
{
    active = this;
}

SystemFaults::~SystemFaults()
{
    active = nullptr;
}

extern "C" ssize_t write(int fd, const void* bytes, std::size_t size) noexcept
{
    static const auto real = next<ssize_t (*)(int, const void*, std::size_t)>("write");
    if (const int go = misbehave(fd, size, true); go != 1)
        return go;
    const ssize_t put = real(fd, bytes, size);
    if (active && fd != 1 && fd != 2 && put > 0)
        active->written += static_cast<std::size_t>(put);
    return put;
}

// Overwriting bytes that the file already has takes no room on the disk.
extern "C" ssize_t pwrite(int fd, const void* bytes, std::size_t size, off_t offset) noexcept
{
    static const auto real = next<ssize_t (*)(int, const void*, std::size_t, off_t)>("pwrite");
    struct stat info {};
    const bool grows = ::fstat(fd, &info) != 0 || offset + static_cast<off_t>(size) > info.st_size;
    if (const int go = misbehave(fd, size, true, grows); go != 1)
        return go;
    if (!active || grows || active->overwriteFailsAfter == static_cast<std::size_t>(-1))
        return real(fd, bytes, size, offset);
    if (active->overwritten >= active->overwriteFailsAfter) {
        active->overwriteFailsAfter = static_cast<std::size_t>(-1);
        errno = EIO;
        return -1;
    }
    size = std::min(size, active->overwriteFailsAfter - active->overwritten);
    const ssize_t put = real(fd, bytes, size, offset);
    if (put > 0)
        active->overwritten += static_cast<std::size_t>(put);
    return put;
}

extern "C" ssize_t pread(int fd, void* bytes, std::size_t size, off_t offset) noexcept
{
    static const auto real = next<ssize_t (*)(int, void*, std::size_t, off_t)>("pread");
    const int go = misbehave(fd, size, false);
    return go == 1 ? real(fd, bytes, size, offset) : go;
}

extern "C" int lstat(const char* path, struct stat* entry) noexcept
{
    static const auto real = next<int (*)(const char*, struct stat*)>("lstat");
    if (active && active->lookError != 0) {
        errno = active->lookError;
        return -1;
    }
    return real(path, entry);
}
