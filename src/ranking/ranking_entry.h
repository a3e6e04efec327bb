#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// One row of the high-score table, kept in the data file as 24 bytes.
struct RankingEntry {
    double score = 0;
    // Shift-JIS text ended by a NUL; a name that fills all 12 bytes ends at the
    // last one. Bytes after the NUL are kept as they were read.
    std::array<char, 12> name{};
    std::int32_t difficulty = 0;
};

inline constexpr std::size_t rankingRows = 11;
inline constexpr std::size_t shownRanks = 10;
inline constexpr std::size_t entryBytes = 24;
// Names are entered with at most this many bytes of text.
inline constexpr std::size_t nameTextBytes = 10;

static_assert(sizeof(RankingEntry) == entryBytes, "a row is 24 bytes in memory as in the file");
static_assert(offsetof(RankingEntry, name) == 8 && offsetof(RankingEntry, difficulty) == 20);

using RankingTable = std::array<RankingEntry, rankingRows>;

// The table a first run starts with; row 11 only receives what falls off rank 10.
RankingTable defaultTable();

// The name's text: up to its NUL, or all 12 bytes when there is none.
std::string_view nameText(const RankingEntry& entry);
// Stores text (cut to 11 bytes) and its NUL; the bytes after the NUL stay.
void setName(RankingEntry& entry, std::string_view text);

// Little-endian: the double's IEEE-754 bits, the 12 name bytes, the difficulty.
void encodeEntry(const RankingEntry& entry, std::span<std::uint8_t, entryBytes> out);
RankingEntry decodeEntry(std::span<const std::uint8_t, entryBytes> in);
