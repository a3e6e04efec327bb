#include "platform/own_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

bool trustedLink(const std::string& path, const struct stat& link)
{
    struct stat folder {};
    return link.st_uid == ::geteuid() && ::stat(folderOf(path).c_str(), &folder) == 0 && folder.st_uid == ::geteuid()
           && (folder.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

std::optional<std::string> followTrustedLink(const std::string& path)
{
    struct stat entry {};
    if (::lstat(path.c_str(), &entry) != 0)
        return errno == ENOENT ? std::optional<std::string>(path) : std::nullopt;
    if (!S_ISLNK(entry.st_mode))
        return path;
    if (!trustedLink(path, entry))
        return std::nullopt;
    char* target = ::realpath(path.c_str(), nullptr);
    if (!target)
        return std::nullopt;
    std::string resolved = target;
    std::free(target);
    return resolved;
}

PlainFile::PlainFile(const std::string& path, Access access, Links links)
{
    const int flags = (access == Access::read ? O_RDONLY : O_RDWR) | (links == Links::refuse ? O_NOFOLLOW : 0);
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        error = errno;
        return;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        outcome = PlainOpen::notPlain;
        ::close(fd);
        return;
    }
    const int status = ::fcntl(fd, F_GETFL);
    if (status >= 0)
        ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK);
    descriptor = fd;
    outcome = PlainOpen::opened;
}

PlainFile::~PlainFile()
{
    if (descriptor >= 0)
        ::close(descriptor);
}

std::optional<std::vector<std::uint8_t>> readUpTo(const PlainFile& file, std::size_t limit)
{
    if (file.descriptor < 0)
        return std::nullopt;
    // Room for the size the file had when opened, grown if it grew since.
    const auto known = static_cast<std::size_t>(file.info.st_size > 0 ? file.info.st_size : 0);
    std::vector<std::uint8_t> bytes(std::min(limit, known + 1));
    std::size_t done = 0;
    while (done < limit) {
        if (done == bytes.size())
            bytes.resize(std::min(limit, 2 * bytes.size()));
        const ssize_t got = ::read(file.descriptor, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return bytes;
}

} // namespace platform
