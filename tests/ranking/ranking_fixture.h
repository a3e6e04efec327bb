#pragma once

#include "platform/application.h"
#include "platform/dialog.h"
#include "platform/window.h"
#include "ranking/ranking.h"
#include "resources/menu.h"
#include "core/options.h"
#include "core/canvas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Each test runs in a folder of its own, with a window that has the game's
// menu and surfaces of the game's sizes; the ranking is built on demand.
class RankingTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    Ranking& makeRanking();
    std::filesystem::path dataPath() const { return folder / "tm_data.dat"; }
    std::vector<std::uint8_t> fileBytes() const;
    void writeFile(const std::vector<std::uint8_t>& bytes) const;

    // Acts on the dialog that the next call opens; counts the dialogs seen.
    void whenDialogOpens(std::function<void(platform::Dialog&)> person);
    // Enters a score and answers the name dialog, if it opens, with OK and this name.
    int enterWithName(double score, const std::string& utf8Name);

    std::filesystem::path previousFolder;
    std::filesystem::path folder;
    platform::Window window{[](platform::Window&, const platform::Message&) {}};
    Canvas canvas;
    Options options;
    std::optional<Ranking> ranking;
    int dialogsSeen = 0;
};

// The bytes of one row as the data file holds it.
std::vector<std::uint8_t> rowBytes(double score, const std::string& name, std::int32_t difficulty);
std::vector<std::uint8_t> settingsBytes(const std::vector<std::int32_t>& fields);
std::vector<std::uint8_t> defaultFileBytes();
std::int32_t fieldAt(const std::vector<std::uint8_t>& bytes, std::size_t offset);
std::vector<std::uint8_t> slice(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t to);
// A table unlike the default one: row r scores 1000 * r and is named "Row r".
std::vector<std::uint8_t> distinctTable();
std::ptrdiff_t entriesIn(const std::filesystem::path& folder);
// Descriptors this process holds open.
std::ptrdiff_t openFiles();
