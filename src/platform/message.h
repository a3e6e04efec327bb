#pragma once

#include <cstdint>

namespace platform {

enum class MessageKind {
    Create,
    Destroy,
    Activate,        // wParam: 1 active, 0 inactive
    Paint,           // the window's beginPaint() says which part needs paint
    PositionChanged, // x, y, cx, cy of the outer frame in screen pixels
    KeyDown,         // wParam: virtual-key code
    Char,            // wParam: character code
    Command,         // wParam: menu command id
    Timer,           // wParam: timer id
    LeftButtonDown,  // lParam: x in the low 16 bits, y in the high 16 bits
    PadButton,       // wParam: a gamepad button (pad::), pressed
};

struct WindowPosition {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

struct Message {
    MessageKind kind = MessageKind::Create;
    std::uint32_t wParam = 0;
    std::int32_t lParam = 0;
    WindowPosition position;
};

// Virtual-key codes.
namespace vk {
inline constexpr std::uint32_t Space = 0x20;
inline constexpr std::uint32_t Left = 0x25;
inline constexpr std::uint32_t Up = 0x26;
inline constexpr std::uint32_t Right = 0x27;
inline constexpr std::uint32_t Down = 0x28;
inline constexpr std::uint32_t Numpad0 = 0x60;
inline constexpr std::uint32_t Escape = 0x1B;
inline constexpr std::uint32_t Return = 0x0D;
inline constexpr std::uint32_t Pause = 0x13;
inline constexpr std::uint32_t P = 0x50;
inline constexpr std::uint32_t F2 = 0x71;
} // namespace vk

// Gamepad buttons, whatever the pad: the d-pad and the left stick give the
// three directions, the face buttons are named by where they sit.
namespace pad {
inline constexpr std::uint32_t Left = 1;
inline constexpr std::uint32_t Right = 2;
inline constexpr std::uint32_t Down = 3;
inline constexpr std::uint32_t South = 4;
inline constexpr std::uint32_t East = 5;
inline constexpr std::uint32_t Start = 6;
} // namespace pad

constexpr std::int32_t makePointParam(int x, int y)
{
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(y & 0xFFFF) << 16)
                                     | static_cast<std::uint32_t>(x & 0xFFFF));
}
constexpr int pointParamX(std::int32_t lParam)
{
    return static_cast<std::int16_t>(lParam & 0xFFFF);
}
constexpr int pointParamY(std::int32_t lParam)
{
    return static_cast<std::int16_t>((static_cast<std::uint32_t>(lParam) >> 16) & 0xFFFF);
}

} // namespace platform
