#pragma once

#include "platform/dialog.h"

#include <array>

inline constexpr const char* dialogFace = "ＭＳ Ｐゴシック";

// The buttons every dialog closes with.
namespace dialogButton {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
} // namespace dialogButton

namespace aboutControl {
inline constexpr int Picture = 120;
inline constexpr int Version = 130;
} // namespace aboutControl

// Each radio group's buttons have consecutive ids, in the order of the setting's values.
namespace keysControl {
inline constexpr int DropKeyBox = 130;
inline constexpr int TypeOneText = 131;
inline constexpr int TypeTwoText = 132;
inline constexpr int SoundBox = 133;
inline constexpr int TypeOne = 134;
inline constexpr int TypeTwo = 135;
inline constexpr int SoundOn = 136;
inline constexpr int SoundOff = 137;
} // namespace keysControl

namespace difficultyControl {
inline constexpr int Standard = 140;
inline constexpr int Professional = 141;
inline constexpr int LevelBox = 142;
} // namespace difficultyControl

// About.
inline constexpr std::array<platform::ControlTemplate, 3> aboutControls{{
    {dialogButton::Ok, platform::ControlKind::DefaultButton, "ｵｰｹｰ", 55, 40, 40, 15, false},
    {aboutControl::Picture, platform::ControlKind::Picture, "ID_BITMAP3", 5, 3, 108, 144, false},
    {aboutControl::Version, platform::ControlKind::StaticText, "タマロ Ver1.00", 50, 7, 50, 30, false},
}};
inline constexpr platform::DialogTemplate aboutDialog{
    "タマロのバージョン情報", 10, 10, 110, 60, dialogFace, 9, aboutControls};

// Keys and sound.
inline constexpr std::array<platform::ControlTemplate, 10> keysControls{{
    {dialogButton::Ok, platform::ControlKind::DefaultButton, "ｵｰｹｰ", 107, 58, 42, 14, false},
    {dialogButton::Cancel, platform::ControlKind::Button, "ｷｬﾝｾﾙ", 107, 74, 42, 14, false},
    {keysControl::DropKeyBox, platform::ControlKind::FlatGroupBox, "落下キー", 3, 6, 100, 84, false},
    {keysControl::TypeOne, platform::ControlKind::RadioButton, "タイプ１（&1）", 7, 17, 74, 14, true},
    {keysControl::TypeTwo, platform::ControlKind::RadioButton, "タイプ２（&2）", 7, 48, 74, 14, false},
    {keysControl::TypeOneText, platform::ControlKind::StaticText, "スペースキーで落下します。", 14, 33, 84, 11, false},
    {keysControl::TypeTwoText, platform::ControlKind::StaticText, "［↓］キーもしくは［２］キーで\n落下します。", 14, 65,
     84, 20, false},
    {keysControl::SoundBox, platform::ControlKind::FlatGroupBox, "サウンド", 106, 6, 45, 44, false},
    {keysControl::SoundOn, platform::ControlKind::RadioButton, "オン(&N)", 111, 18, 36, 11, true},
    {keysControl::SoundOff, platform::ControlKind::RadioButton, "オフ(&F)", 111, 32, 36, 11, false},
}};
inline constexpr platform::DialogTemplate keysDialog{
    "キーとサウンドの設定", 10, 10, 155, 95, dialogFace, 9, keysControls};

// Difficulty.
inline constexpr std::array<platform::ControlTemplate, 5> difficultyControls{{
    {dialogButton::Ok, platform::ControlKind::DefaultButton, "ｵｰｹｰ", 6, 65, 34, 15, false},
    {dialogButton::Cancel, platform::ControlKind::Button, "ｷｬﾝｾﾙ", 45, 65, 35, 15, false},
    {difficultyControl::LevelBox, platform::ControlKind::GroupBox, "難易度", 5, 5, 76, 56, false},
    {difficultyControl::Standard, platform::ControlKind::RadioButton, "スタンダード", 9, 17, 66, 18, true},
    {difficultyControl::Professional, platform::ControlKind::RadioButton, "プロフェッショナル", 9, 39, 66, 18, false},
}};
inline constexpr platform::DialogTemplate difficultyDialog{"難しい設定", 10,         10, 87,
                                                           87,           dialogFace, 9,  difficultyControls};
