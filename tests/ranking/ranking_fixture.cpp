#include "tests/ranking/ranking_fixture.h"

#include "ranking/ranking_entry.h"

#include <bit>
#include <cstdlib>
#include <fstream>
#include <iterator>

void RankingTest::SetUp()
{
    previousFolder = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "tamaro-ranking-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    std::filesystem::current_path(folder);
    window.create("ranking", mainMenu, "");
    canvas.window = &window;
    canvas.backBuffer = platform::Surface(clientWidth, clientHeight);
    canvas.strip = platform::Surface(172, 36);
}

void RankingTest::TearDown()
{
    ranking.reset();
    std::filesystem::current_path(previousFolder);
    std::filesystem::remove_all(folder);
}

Ranking& RankingTest::makeRanking()
{
    ranking.emplace(window, canvas, &options);
    return *ranking;
}

std::vector<std::uint8_t> RankingTest::fileBytes() const
{
    std::ifstream in(dataPath(), std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void RankingTest::writeFile(const std::vector<std::uint8_t>& bytes) const
{
    std::ofstream out(dataPath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void RankingTest::whenDialogOpens(std::function<void(platform::Dialog&)> person)
{
    platform::Application::runSoon([this, person] {
        if (platform::Dialog* dialog = platform::Dialog::active()) {
            ++dialogsSeen;
            person(*dialog);
        }
    });
}

int RankingTest::enterWithName(double score, const std::string& utf8Name)
{
    whenDialogOpens([utf8Name](platform::Dialog& d) {
        d.type(150, utf8Name);
        d.click(1);
    });
    const int rank = ranking->enterScore(score);
    // A dialog that never opened leaves its answer queued; it must not reach the next one.
    platform::Application::processEvents();
    return rank;
}

namespace {

void putLittleEndian(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

} // namespace

std::vector<std::uint8_t> rowBytes(double score, const std::string& name, std::int32_t difficulty)
{
    std::vector<std::uint8_t> row;
    putLittleEndian(row, std::bit_cast<std::uint64_t>(score), 8);
    for (std::size_t i = 0; i < 12; ++i)
        row.push_back(i < name.size() ? static_cast<std::uint8_t>(name[i]) : 0);
    putLittleEndian(row, static_cast<std::uint32_t>(difficulty), 4);
    return row;
}

std::vector<std::uint8_t> settingsBytes(const std::vector<std::int32_t>& fields)
{
    std::vector<std::uint8_t> out;
    for (const std::int32_t field : fields)
        putLittleEndian(out, static_cast<std::uint32_t>(field), 4);
    return out;
}

std::vector<std::uint8_t> defaultFileBytes()
{
    std::vector<std::uint8_t> bytes;
    const struct {
        double score;
        const char* name;
        int difficulty;
    } rows[] = {{200000, "Ai         ", 0}, {110000, "Tong Tong  ", 1}, {100000, "Lan Lan    ", 1},
                {90000, "Ayumu      ", 1},  {80000, "Min Min    ", 1},  {80000, "Raccoon    ", 0},
                {60000, "Xing Xing  ", 1},  {50000, "Tong Tong  ", 0},  {40000, "Pochi      ", 0},
                {30000, "Tiger      ", 0},  {20000, "Gong Gong  ", 0}};
    for (const auto& row : rows) {
        const auto r = rowBytes(row.score, row.name, row.difficulty);
        bytes.insert(bytes.end(), r.begin(), r.end());
    }
    const auto o = settingsBytes({0, 0, 1, 0, 1, 1, 0, 0, 0, 0, 0, 0});
    bytes.insert(bytes.end(), o.begin(), o.end());
    return bytes;
}

std::int32_t fieldAt(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
    return static_cast<std::int32_t>(value);
}

std::vector<std::uint8_t> slice(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t to)
{
    return std::vector<std::uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                                     bytes.begin() + static_cast<std::ptrdiff_t>(to));
}

std::vector<std::uint8_t> distinctTable()
{
    std::vector<std::uint8_t> bytes;
    for (int r = 1; r <= 11; ++r) {
        const auto row = rowBytes(1000.0 * r, "Row " + std::to_string(r), r % 2);
        bytes.insert(bytes.end(), row.begin(), row.end());
    }
    return bytes;
}

std::ptrdiff_t entriesIn(const std::filesystem::path& folder)
{
    return std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator{});
}

std::ptrdiff_t openFiles()
{
    return entriesIn("/proc/self/fd");
}
