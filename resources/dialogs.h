#pragma once

#include "platform/dialog.h"

#include <array>

inline constexpr const char* dialogFace = "ＭＳ Ｐゴシック";

// About.
inline constexpr std::array<platform::ControlTemplate, 3> aboutControls{{
    {1, platform::ControlKind::DefaultButton, "ｵｰｹｰ", 55, 40, 40, 15, false},
    {120, platform::ControlKind::Picture, "ID_BITMAP3", 5, 3, 108, 144, false},
    {130, platform::ControlKind::StaticText, "タマロ Ver1.00", 50, 7, 50, 30, false},
}};
inline constexpr platform::DialogTemplate aboutDialog{"タマロのバージョン情報", 10, 10, 110, 60, dialogFace, 9, aboutControls};

// Keys and sound.
inline constexpr std::array<platform::ControlTemplate, 10> keysControls{{
    {1, platform::ControlKind::DefaultButton, "ｵｰｹｰ", 107, 58, 42, 14, false},
    {2, platform::ControlKind::Button, "ｷｬﾝｾﾙ", 107, 74, 42, 14, false},
    {130, platform::ControlKind::FlatGroupBox, "落下キー", 3, 6, 100, 84, false},
    {134, platform::ControlKind::RadioButton, "タイプ１（&1）", 7, 17, 74, 14, true},
    {135, platform::ControlKind::RadioButton, "タイプ２（&2）", 7, 48, 74, 14, false},
    {131, platform::ControlKind::StaticText, "スペースキーで落下します。", 14, 33, 84, 11, false},
    {132, platform::ControlKind::StaticText, "［↓］キーもしくは［２］キーで\n落下します。", 14, 65, 84, 20, false},
    {133, platform::ControlKind::FlatGroupBox, "サウンド", 106, 6, 45, 44, false},
    {136, platform::ControlKind::RadioButton, "オン(&N)", 111, 18, 36, 11, true},
    {137, platform::ControlKind::RadioButton, "オフ(&F)", 111, 32, 36, 11, false},
}};
inline constexpr platform::DialogTemplate keysDialog{"キーとサウンドの設定", 10, 10, 155, 95, dialogFace, 9, keysControls};

// Difficulty.
inline constexpr std::array<platform::ControlTemplate, 5> difficultyControls{{
    {1, platform::ControlKind::DefaultButton, "ｵｰｹｰ", 6, 65, 34, 15, false},
    {2, platform::ControlKind::Button, "ｷｬﾝｾﾙ", 45, 65, 35, 15, false},
    {142, platform::ControlKind::GroupBox, "難易度", 5, 5, 76, 56, false},
    {140, platform::ControlKind::RadioButton, "スタンダード", 9, 17, 66, 18, true},
    {141, platform::ControlKind::RadioButton, "プロフェッショナル", 9, 39, 66, 18, false},
}};
inline constexpr platform::DialogTemplate difficultyDialog{"難しい設定", 10, 10, 87, 87, dialogFace, 9, difficultyControls};
