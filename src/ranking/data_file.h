#pragma once

#include "ranking/ranking_entry.h"
#include "core/options.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

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
// lock until the record is destroyed. Not open when the file could not be
// opened or locked; every read and write then moves no bytes.
struct DataFile {
    DataFile() = default;
    explicit DataFile(const char* path);
    ~DataFile();
    DataFile(DataFile&& other) noexcept;
    DataFile& operator=(DataFile&& other) noexcept;
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    int descriptor = -1;
};

bool isOpen(const DataFile& file);
// Whether a directory entry of this name exists, independent of any open file.
bool fileExists(const char* path);
bool isEmpty(const DataFile& file);
// Reads from the start until out is full or the file ends; returns the bytes read.
std::size_t readFromStart(DataFile& file, std::span<std::uint8_t> out);
// Writes all bytes at the offset; returns how many reached the file.
std::size_t writeAt(DataFile& file, std::size_t offset, std::span<const std::uint8_t> bytes);
// Waits until what was written is on the disk.
bool flush(DataFile& file);
void close(DataFile& file);
