#include "ranking/data_file.h"

#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using OptionsFields = std::array<std::int32_t, optionsFieldCount>;
static_assert(sizeof(OptionsFields) == sizeof(Options));

void complain(const char* path, const char* what, int error)
{
    std::fprintf(stderr, "tamaro: %s: %s (%s); playing with the default table and settings, nothing will be saved\n",
                 path, what, std::strerror(error));
}

// Opens and locks the file; -1 when it cannot be used. A file that is not a
// plain file (a directory, a pipe, a device) is refused so that reads never block.
int openLocked(const char* path)
{
    const int fd = ::open(path, O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0666);
    if (fd < 0) {
        complain(path, "cannot open", errno);
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        complain(path, "not a plain file", EINVAL);
        ::close(fd);
        return -1;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        complain(path, error == EWOULDBLOCK ? "held by another running copy" : "cannot lock", error);
        ::close(fd);
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

} // namespace

DataImage makeImage(const RankingTable& table, const Options& options)
{
    DataImage image{};
    for (std::size_t row = 0; row < rankingRows; ++row)
        encodeEntry(table[row], std::span<std::uint8_t, entryBytes>(image.data() + row * entryBytes, entryBytes));
    const auto fields = std::bit_cast<OptionsFields>(options);
    for (std::size_t n = 0; n < fields.size(); ++n) {
        const auto value = static_cast<std::uint32_t>(fields[n]);
        for (std::size_t i = 0; i < 4; ++i)
            image[tableBytes + 4 * n + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    return image;
}

void applyImage(const DataImage& image, RankingTable& table, Options& options)
{
    for (std::size_t row = 0; row < rankingRows; ++row)
        table[row] = decodeEntry(std::span<const std::uint8_t, entryBytes>(image.data() + row * entryBytes, entryBytes));
    OptionsFields fields{};
    for (std::size_t n = 0; n < fields.size(); ++n) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value |= static_cast<std::uint32_t>(image[tableBytes + 4 * n + i]) << (8 * i);
        fields[n] = static_cast<std::int32_t>(value);
    }
    options = std::bit_cast<Options>(fields);
}

DataFile::DataFile(const char* path) : descriptor(openLocked(path)) {}

DataFile::~DataFile()
{
    close(*this);
}

DataFile::DataFile(DataFile&& other) noexcept : descriptor(other.descriptor)
{
    other.descriptor = -1;
}

DataFile& DataFile::operator=(DataFile&& other) noexcept
{
    if (this != &other) {
        close(*this);
        descriptor = other.descriptor;
        other.descriptor = -1;
    }
    return *this;
}

bool isOpen(const DataFile& file)
{
    return file.descriptor >= 0;
}

bool fileExists(const char* path)
{
    struct stat info {};
    return ::lstat(path, &info) == 0;
}

bool isEmpty(const DataFile& file)
{
    struct stat info {};
    return isOpen(file) && ::fstat(file.descriptor, &info) == 0 && info.st_size == 0;
}

std::size_t readFromStart(DataFile& file, std::span<std::uint8_t> out)
{
    std::size_t done = 0;
    while (isOpen(file) && done < out.size()) {
        const ssize_t got = ::pread(file.descriptor, out.data() + done, out.size() - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

std::size_t writeAt(DataFile& file, std::size_t offset, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (isOpen(file) && done < bytes.size()) {
        const ssize_t put = ::pwrite(file.descriptor, bytes.data() + done, bytes.size() - done,
                                     static_cast<off_t>(offset + done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            break;
        done += static_cast<std::size_t>(put);
    }
    return done;
}

bool flush(DataFile& file)
{
    return isOpen(file) && ::fsync(file.descriptor) == 0;
}

void close(DataFile& file)
{
    if (isOpen(file))
        ::close(file.descriptor);
    file.descriptor = -1;
}
