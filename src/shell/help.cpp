#include "shell/help.h"

#include "patterns/pattern_table.h"
#include "platform/help_window.h"

#include <array>

namespace {

constexpr std::array<platform::HelpTopic, 16> contents{{
    {"目次", "index.html", 0},
    {"遊びかた", "rules.html", 0},
    {"ゲームの目的", "rules.html#goal", 1},
    {"せり上がる列とスピードアップ", "rules.html#rise", 1},
    {"ゲームオーバー", "rules.html#over", 1},
    {"キーの使いかた", "keys.html", 0},
    {"タイプ１", "keys.html#type1", 1},
    {"タイプ２", "keys.html#type2", 1},
    {"十のパターン", "patterns.html", 0},
    {"ボーナス列", "patterns.html#bonus", 1},
    {"画面の見かた", "screen.html", 0},
    {"ヒントのふきだしと難易度", "screen.html#hint", 1},
    {"パネルとクリップ", "screen.html#panel", 1},
    {"ランキングとデータファイル", "ranking.html", 0},
    {"サウンド", "ranking.html#sound", 1},
    {"メニュー", "menu.html", 0},
}};

// The ten pattern names, each to its section, then the other words a player looks up.
constexpr std::array<const char*, patternCount> patternPages{
    "patterns.html#p1", "patterns.html#p2", "patterns.html#p3", "patterns.html#p4", "patterns.html#p5",
    "patterns.html#p6", "patterns.html#p7", "patterns.html#p8", "patterns.html#p9", "patterns.html#p10",
};
constexpr std::array<platform::HelpKeyword, 8> otherWords{{
    {"ボーナス列", "patterns.html#bonus"},
    {"りんご", "rules.html#goal"},
    {"せり上がり", "rules.html#rise"},
    {"難易度", "screen.html#hint"},
    {"ふきだし", "screen.html#hint"},
    {"クリップ", "screen.html#panel"},
    {"ランキング", "ranking.html#ranking"},
    {"tm_data.dat", "ranking.html#data"},
}};

constexpr std::array<platform::HelpKeyword, patternCount + otherWords.size()> keywords = [] {
    std::array<platform::HelpKeyword, patternCount + otherWords.size()> all{};
    for (std::size_t i = 0; i < patternNamesUtf8.size(); ++i)
        all[i] = {patternNamesUtf8[i], patternPages[i]};
    for (std::size_t i = 0; i < otherWords.size(); ++i)
        all[patternNamesUtf8.size() + i] = otherWords[i];
    return all;
}();

constexpr platform::HelpBook book{"タマロのヘルプ", "/resources/help/", "index.html", contents, keywords};

} // namespace

void showHelp(platform::Window& window)
{
    platform::HelpWindow::open(window, book);
}
