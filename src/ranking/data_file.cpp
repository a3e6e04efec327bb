#include "ranking/data_file.h"

#include "platform/own_file.h"

#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using OptionsFields = std::array<std::int32_t, optionsFieldCount>;
static_assert(sizeof(OptionsFields) == sizeof(Options));

void refuse(const char* path, const std::string& why)
{
    std::fprintf(stderr, "tamaro: %s: %s; playing with the default table and settings, nothing will be saved\n", path,
                 why.c_str());
}

std::string because(const char* what, int error)
{
    return std::string(what) + " (" + std::strerror(error) + ")";
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Opens and locks the file at file.path. A name that is not there leaves the
// record missing; anything but a plain file with one name of the player's own
// choosing is refused, so that nothing outside the folder is read or written
// and reads never block.
void openLocked(DataFile& file)
{
    // The name as given, for messages: file.path may become a link's target.
    const std::string given = file.path;
    const char* const name = given.c_str();
    struct stat entry {};
    if (::lstat(name, &entry) != 0) {
        if (errno == ENOENT)
            file.missing = true;
        else
            refuse(name, because("cannot look at it", errno));
        return;
    }
    if (S_ISLNK(entry.st_mode)) {
        if (!platform::trustedLink(file.path, entry)) {
            refuse(name, "a link that someone else could have made or changed is not followed");
            return;
        }
        char* target = ::realpath(name, nullptr);
        if (!target) {
            refuse(name, because("a link to no usable file", errno));
            return;
        }
        file.path = target;
        std::free(target);
    }
    const int fd = ::open(file.path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        refuse(name, because("cannot open", errno));
        return;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        refuse(name, "not a plain file");
        ::close(fd);
        return;
    }
    if (info.st_nlink != 1) {
        refuse(name, "the file has other names (hard links) and is left alone");
        ::close(fd);
        return;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        refuse(name,
               because(error == EWOULDBLOCK ? "locked by another process (another copy of the game, or any program)"
                                            : "cannot lock",
                       error));
        ::close(fd);
        return;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    file.descriptor = fd;
}

// Reads from the start until out is full or the file ends; nothing when a read fails.
std::optional<std::size_t> readAll(int fd, std::span<std::uint8_t> out)
{
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t got = ::pread(fd, out.data() + done, out.size() - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

// Writes every byte: from the start of the file when inPlace, else at the file's position.
bool writeAll(int fd, std::span<const std::uint8_t> bytes, bool inPlace = false)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = inPlace ? ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done))
                                    : ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            if (put == 0)
                errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

// Copies what the held file holds from offset on to the end of fd.
bool copyTail(int from, std::size_t offset, int fd)
{
    std::array<std::uint8_t, 4096> buffer{};
    for (auto at = static_cast<off_t>(offset);;) {
        const ssize_t got = ::pread(from, buffer.data(), buffer.size(), at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (!writeAll(fd, std::span<const std::uint8_t>(buffer.data(), static_cast<std::size_t>(got))))
            return false;
        at += got;
    }
}

// A new file beside the data file that nobody else has opened; -1 on failure.
int createBeside(const std::string& path, std::string& made)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        made = path + ".new-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        // The mode the first open of a plain file would give, through the umask.
        const int fd = ::open(made.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Failures of making a new file that an overwrite of the held file can
// get around: a folder that takes no new file, a disk or quota with no room
// for a second copy. Overwriting the same bytes needs no new room.
bool inPlaceMayWork(int error)
{
    return error == EACCES || error == EPERM || error == ENOSPC || error == EDQUOT;
}

// Overwrites the held file's first head.size() bytes through its descriptor,
// under its lock; what follows them stays. Should the write fail, the old
// bytes are put back.
bool overwriteInPlace(DataFile& file, std::span<const std::uint8_t> head)
{
    struct stat old {};
    if (::fstat(file.descriptor, &old) != 0)
        return false;
    std::vector<std::uint8_t> previous(head.size());
    const std::optional<std::size_t> kept = readAll(file.descriptor, previous);
    if (!kept)
        return false;
    previous.resize(*kept);
    if (writeAll(file.descriptor, head, true) && ::fsync(file.descriptor) == 0)
        return true;
    const int error = errno;
    if (writeAll(file.descriptor, previous, true)) [[maybe_unused]]
        const int cut = ::ftruncate(file.descriptor, old.st_size);
    errno = error;
    return false;
}

// New files that copies no longer running left beside the data file when
// they were killed in the middle of a save.
void removeLeftovers(const std::string& path)
{
    const std::string folder = folderOf(path);
    const std::string prefix = path.substr(path.rfind('/') + 1) + ".new-";
    DIR* const entries = ::opendir(folder.c_str());
    if (!entries)
        return;
    while (const dirent* entry = ::readdir(entries)) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(prefix))
            continue;
        char* end = nullptr;
        const long pid = std::strtol(name.data() + prefix.size(), &end, 10);
        if (pid <= 0 || *end != '-' || pid == ::getpid() || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH)
            continue;
        struct stat info {};
        if (::fstatat(::dirfd(entries), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode)
            && info.st_uid == ::geteuid())
            ::unlinkat(::dirfd(entries), entry->d_name, 0);
    }
    ::closedir(entries);
}

void syncFolder(const std::string& path)
{
    const int folder = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    ::fsync(folder);
    ::close(folder);
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
        table[row] =
            decodeEntry(std::span<const std::uint8_t, entryBytes>(image.data() + row * entryBytes, entryBytes));
    OptionsFields fields{};
    for (std::size_t n = 0; n < fields.size(); ++n) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value |= static_cast<std::uint32_t>(image[tableBytes + 4 * n + i]) << (8 * i);
        fields[n] = static_cast<std::int32_t>(value);
    }
    options = std::bit_cast<Options>(fields);
}

DataFile::DataFile(const char* path) : path(path)
{
    openLocked(*this);
}

DataFile::~DataFile()
{
    close(*this);
}

bool isOpen(const DataFile& file)
{
    return file.descriptor >= 0;
}

std::size_t readFromStart(DataFile& file, std::span<std::uint8_t> out)
{
    if (!isOpen(file))
        return 0;
    if (const std::optional<std::size_t> done = readAll(file.descriptor, out))
        return *done;
    // What could not be read must not be replaced by the defaults at the next save.
    refuse(file.path.c_str(), because("cannot read it", errno));
    close(file);
    return 0;
}

bool replaceContents(DataFile& file, std::span<const std::uint8_t> head)
{
    if (!isOpen(file) && !file.missing)
        return false;
    removeLeftovers(file.path);
    std::string made;
    const int fd = createBeside(file.path, made);
    const auto cannotReplace = [&](const char* what) {
        const int error = errno;
        if (fd >= 0) {
            ::unlink(made.c_str());
            ::close(fd);
        }
        if (isOpen(file) && inPlaceMayWork(error) && overwriteInPlace(file, head)) {
            std::fprintf(stderr, "tamaro: %s: %s (%s); saved by overwriting the file in place\n", file.path.c_str(),
                         what, std::strerror(error));
            return true;
        }
        std::fprintf(stderr, "tamaro: %s: cannot save, %s (%s); %s\n", file.path.c_str(), what, std::strerror(error),
                     isOpen(file) ? "the file on disk is as it was" : "nothing was written");
        return false;
    };
    if (fd < 0)
        return cannotReplace("no new file can be made beside it");
    struct stat old {};
    if (isOpen(file) && ::fstat(file.descriptor, &old) == 0) {
        ::fchmod(fd, old.st_mode & 07777);
        [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
    }
    if (!writeAll(fd, head) || (isOpen(file) && !copyTail(file.descriptor, head.size(), fd)))
        return cannotReplace("writing failed");
    if (::fsync(fd) != 0)
        return cannotReplace("the disk did not take it");
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return cannotReplace("cannot lock");
    if (::rename(made.c_str(), file.path.c_str()) != 0)
        return cannotReplace("cannot put it in place");
    syncFolder(file.path);
    close(file);
    file.descriptor = fd;
    file.missing = false;
    return true;
}

void close(DataFile& file)
{
    if (isOpen(file))
        ::close(file.descriptor);
    file.descriptor = -1;
}
