#pragma once

#include "ranking/ranking_entry.h"
#include "core/options.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

inline constexpr const char* dataFileName = "tm_data.dat";
inline constexpr std::size_t tableBytes = rankingRows * entryBytes;
inline constexpr std::size_t optionsBytes = 48;
inline constexpr std::size_t dataFileBytes = tableBytes + optionsBytes;
static_assert(tableBytes == 264 && dataFileBytes == 312, "the data file layout is fixed");
static_assert(sizeof(Options) == optionsBytes);

// The file's bytes: the table, row 1 first, then the Options fields in order,
// every number little-endian.
using DataImage = std::array<std::uint8_t, dataFileBytes>;

DataImage makeImage(const RankingTable& table, const Options& options);
void applyImage(const DataImage& image, RankingTable& table, Options& options);

// The data file, opened for reading and writing and held with an exclusive
// lock until the record is destroyed. Not open when there was no file (a first
// run: the first save makes it) or when the file must be left alone; a file
// left alone is never read or written.
struct DataFile {
    DataFile() = default;
    explicit DataFile(const char* path);
    ~DataFile();
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    int descriptor = -1;
    // The name that saves replace: the one given, or the file a trusted link points to.
    std::string path;
    // No file of that name was there; a save may make one.
    bool missing = false;
};

bool isOpen(const DataFile& file);
// Reads from the start until out is full or the file ends; returns the bytes read.
// A file that fails to read is let go, so that no save replaces it.
std::size_t readFromStart(DataFile& file, std::span<std::uint8_t> out);
// Puts a new file in the old one's place: head, then whatever the old file held
// after head's length. The new file is written and synced under another name
// and renamed over the old one, so a crash or a full disk leaves the old file
// whole; the lock moves to the new file. Where no new file can be made (a
// folder that takes none, no room for a second copy), the held file's head is
// overwritten in place instead. New files that killed copies left behind are
// removed. A failure, or a save in place, is said in one line on standard error.
bool replaceContents(DataFile& file, std::span<const std::uint8_t> head);
void close(DataFile& file);
