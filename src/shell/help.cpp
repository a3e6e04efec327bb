#include "shell/help.h"

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

// The ten pattern names in their order, then the other words a player looks up.
constexpr std::array<platform::HelpKeyword, 18> keywords{{
    {"すりーポン", "patterns.html#p1"},
    {"つーポン", "patterns.html#p2"},
    {"みっくすパンチ", "patterns.html#p3"},
    {"たまろ", "patterns.html#p4"},
    {"えくすとらパンチ", "patterns.html#p5"},
    {"だぶるみっくすパンチ", "patterns.html#p6"},
    {"こんとらすとパンチ", "patterns.html#p7"},
    {"ポンみっくす", "patterns.html#p8"},
    {"みっくすえくすとらパンチ", "patterns.html#p9"},
    {"ぷれみあむパンチ", "patterns.html#p10"},
    {"ボーナス列", "patterns.html#bonus"},
    {"りんご", "rules.html#goal"},
    {"せり上がり", "rules.html#rise"},
    {"難易度", "screen.html#hint"},
    {"ふきだし", "screen.html#hint"},
    {"クリップ", "screen.html#panel"},
    {"ランキング", "ranking.html#ranking"},
    {"tm_data.dat", "ranking.html#data"},
}};

constexpr platform::HelpBook book{"タマロのヘルプ", "/resources/help/", "index.html", contents, keywords};

} // namespace

void showHelp(platform::Window& window)
{
    platform::HelpWindow::open(window, book);
}
