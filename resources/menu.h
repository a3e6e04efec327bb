#pragma once

#include "platform/menu.h"

#include <array>

// Command ids of the menu.
namespace command {
inline constexpr int Start = 111;
inline constexpr int Restart = 112;
inline constexpr int KeysAndSound = 113;
inline constexpr int Difficulty = 114;
inline constexpr int Exit = 115;
inline constexpr int Help = 116;
inline constexpr int About = 117;
inline constexpr int TabDiamond = 150;
inline constexpr int TabStar = 151;
inline constexpr int TabTriangle = 152;
inline constexpr int Clip = 153;
inline constexpr int AlwaysOnTop = 154;
inline constexpr int Zoom1 = 160;
inline constexpr int Zoom2 = 161;
inline constexpr int Zoom3 = 162;
inline constexpr int Ranking = 200;
} // namespace command

// The menu bar: level, text, command id, popup, greyed at start, shortcut key.
inline constexpr std::array<platform::MenuItemTemplate, 29> mainMenu{{
    {0, "ゲーム(&G)", 0, true, false},
    {1, "開始(&K)", command::Start, false, false, "F2"},
    {1, "最初から(&N)", command::Restart, false, true},
    {1, "", 0, false, false},
    {1, "ランキング(&R)", command::Ranking, false, false},
    {1, "", 0, false, false},
    {1, "設定(&S)", 0, true, false},
    {2, "キーとサウンド(&k)", command::KeysAndSound, false, false},
    {2, "", 0, false, false},
    {2, "難しい設定(&M)", command::Difficulty, false, false},
    {1, "", 0, false, false},
    {1, "タマロの終了(&X)", command::Exit, false, false},
    {0, "表示(&V)", 0, true, false},
    {1, "タブコントロール(&T)", 0, true, false},
    {2, " ◆ (&1)", command::TabDiamond, false, false},
    {2, " ★ (&2)", command::TabStar, false, false},
    {2, " ▼ (&3)", command::TabTriangle, false, false},
    {2, "", 0, false, false},
    {2, "クリップ(&C)", command::Clip, false, false},
    {1, "", 0, false, false},
    {1, "常に手前に表示", command::AlwaysOnTop, false, false},
    {1, "", 0, false, false},
    {1, "×１(&4)", command::Zoom1, false, false},
    {1, "×２(&5)", command::Zoom2, false, false},
    {1, "×３(&6)", command::Zoom3, false, false},
    {0, "ヘルプ(&H)", 0, true, false},
    {1, "トピックの検索(&H)", command::Help, false, false},
    {1, "", 0, false, false},
    {1, "バージョン情報(&A)", command::About, false, false},
}};
