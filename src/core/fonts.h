#pragma once

#include "platform/font.h"

#include <string_view>

inline constexpr std::string_view faceMincho = "ＭＳ 明朝";
inline constexpr std::string_view faceGothic = "ＭＳ ゴシック";
inline constexpr std::string_view faceProportionalGothic = "ＭＳ Ｐゴシック";

// Every font of the game: fixed pitch, Japanese, normal weight; only these vary.
platform::Font makeFont(int height, int width, bool italic, bool underline, std::string_view face);
