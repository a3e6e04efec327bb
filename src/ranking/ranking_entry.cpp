#include "ranking/ranking_entry.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace {

struct DefaultRow {
    double score;
    const char* name;
    std::int32_t difficulty;
};

// Equal scores keep the professional row above the standard one.
constexpr std::array<DefaultRow, rankingRows> defaultRows{{
    {200000, "Ai         ", 0},
    {110000, "Tong Tong  ", 1},
    {100000, "Lan Lan    ", 1},
    {90000, "Ayumu      ", 1},
    {80000, "Min Min    ", 1},
    {80000, "Raccoon    ", 0},
    {60000, "Xing Xing  ", 1},
    {50000, "Tong Tong  ", 0},
    {40000, "Pochi      ", 0},
    {30000, "Tiger      ", 0},
    {20000, "Gong Gong  ", 0},
}};

void putLittleEndian(std::uint64_t value, std::uint8_t* out, std::size_t bytes)
{
    for (std::size_t i = 0; i < bytes; ++i)
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint64_t getLittleEndian(const std::uint8_t* in, std::size_t bytes)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i)
        value |= static_cast<std::uint64_t>(in[i]) << (8 * i);
    return value;
}

} // namespace

static_assert(sizeof(double) == 8 && std::numeric_limits<double>::is_iec559, "scores are stored as IEEE-754 doubles");

RankingTable defaultTable()
{
    RankingTable table{};
    for (std::size_t row = 0; row < rankingRows; ++row) {
        table[row].score = defaultRows[row].score;
        setName(table[row], defaultRows[row].name);
        table[row].difficulty = defaultRows[row].difficulty;
    }
    return table;
}

std::string_view nameText(const RankingEntry& entry)
{
    const auto end = std::find(entry.name.begin(), entry.name.end(), '\0');
    return std::string_view(entry.name.data(), static_cast<std::size_t>(end - entry.name.begin()));
}

void setName(RankingEntry& entry, std::string_view text)
{
    const std::size_t length = std::min(text.size(), entry.name.size() - 1);
    std::memcpy(entry.name.data(), text.data(), length);
    entry.name[length] = '\0';
}

void encodeEntry(const RankingEntry& entry, std::span<std::uint8_t, entryBytes> out)
{
    putLittleEndian(std::bit_cast<std::uint64_t>(entry.score), out.data(), 8);
    std::memcpy(out.data() + 8, entry.name.data(), entry.name.size());
    putLittleEndian(static_cast<std::uint32_t>(entry.difficulty), out.data() + 20, 4);
}

RankingEntry decodeEntry(std::span<const std::uint8_t, entryBytes> in)
{
    RankingEntry entry;
    entry.score = std::bit_cast<double>(getLittleEndian(in.data(), 8));
    std::memcpy(entry.name.data(), in.data() + 8, entry.name.size());
    entry.difficulty = static_cast<std::int32_t>(static_cast<std::uint32_t>(getLittleEndian(in.data() + 20, 4)));
    return entry;
}
