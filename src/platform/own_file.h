#pragma once

// Opening the files the game reads and writes so that nothing another user
// laid is followed, and nothing but a plain file is ever used or waited on.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace platform {

// A symbolic link is followed only where nobody but the player could have
// laid it: the link (link is its lstat) and its folder are the player's, and
// nobody else can write the folder.
bool trustedLink(const std::string& path, const struct stat& link);

// The name to open for path: path itself when it is no link (or not there),
// the link's whole target when the link is trusted; nothing when it is not,
// or when it leads nowhere.
std::optional<std::string> followTrustedLink(const std::string& path);

enum class PlainOpen { opened, cannotOpen, notPlain };
enum class Access { read, readWrite };
// Whether a symbolic link in the last place of the name is opened or refused.
enum class Links { follow, refuse };

// A file opened without waiting on it (a FIFO or a device would block the
// open) and kept only when it is a plain file; closed with the record. Once
// opened, reads and writes block as usual.
struct PlainFile {
    PlainFile(const std::string& path, Access access, Links links);
    ~PlainFile();
    PlainFile(const PlainFile&) = delete;
    PlainFile& operator=(const PlainFile&) = delete;

    PlainOpen outcome = PlainOpen::cannotOpen;
    int descriptor = -1;
    int error = 0;       // errno of an open that failed
    struct stat info {}; // of the open file
};

// The file's first limit bytes at most; nothing when reading fails.
std::optional<std::vector<std::uint8_t>> readUpTo(const PlainFile& file, std::size_t limit);

} // namespace platform
