#pragma once

#include "platform/dialog.h"
#include "resources/dialogs.h"

#include <array>

// Name entry after a qualifying score (IDC_DIALOG4). Template order is the tab
// order, so the clear button takes the focus first.
namespace nameDialogControl {
inline constexpr int Ok = dialogButton::Ok;
inline constexpr int Cancel = dialogButton::Cancel;
inline constexpr int NameEdit = 150;
inline constexpr int Clear = 151;
inline constexpr int Prompt = 152;
} // namespace nameDialogControl

inline constexpr std::array<platform::ControlTemplate, 5> nameControls{{
    {nameDialogControl::Clear, platform::ControlKind::Button, "ｸﾘｱ", 85, 25, 18, 14, false},
    {nameDialogControl::Ok, platform::ControlKind::DefaultButton, "ｵｰｹｰ", 12, 42, 40, 14, false},
    {nameDialogControl::Cancel, platform::ControlKind::Button, "ｷｬﾝｾﾙ", 56, 42, 40, 14, false},
    {nameDialogControl::NameEdit, platform::ControlKind::Edit, "", 7, 26, 74, 12, false},
    {nameDialogControl::Prompt, platform::ControlKind::StaticText,
     "ランキングに登録されます\nあなたの名前を入力してください", 7, 7, 93, 18, false},
}};
inline constexpr platform::DialogTemplate nameDialog{"名前登録", 10, 10, 110, 63, dialogFace, 9, nameControls};
