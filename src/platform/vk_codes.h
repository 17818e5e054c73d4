#pragma once

// Windows virtual-key codes: the game's key tables and options keep these values, so every
// platform maps its own key codes to them.
namespace platform::vk {

constexpr int kBack = 8;
constexpr int kTab = 9;
constexpr int kReturn = 13;
constexpr int kShift = 16;
constexpr int kControl = 17;
constexpr int kMenu = 18;  // Alt
constexpr int kPause = 19;
constexpr int kCapital = 20;
constexpr int kEscape = 27;
constexpr int kSpace = 32;
constexpr int kPrior = 33;
constexpr int kNext = 34;
constexpr int kEnd = 35;
constexpr int kHome = 36;
constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;
constexpr int kSnapshot = 44;
constexpr int kInsert = 45;
constexpr int kDelete = 46;
constexpr int k0 = 48;  // '0'..'9' are 48..57, 'A'..'Z' are 65..90
constexpr int kA = 65;
constexpr int kLWin = 91;
constexpr int kRWin = 92;
constexpr int kApps = 93;
constexpr int kNumpad0 = 96;
constexpr int kMultiply = 106;
constexpr int kAdd = 107;
constexpr int kSubtract = 109;
constexpr int kDecimal = 110;
constexpr int kDivide = 111;
constexpr int kF1 = 112;
constexpr int kF12 = 123;
constexpr int kNumLock = 144;
constexpr int kScroll = 145;
constexpr int kLShift = 160;
constexpr int kRShift = 161;
constexpr int kLControl = 162;
constexpr int kRControl = 163;
constexpr int kLMenu = 164;
constexpr int kRMenu = 165;
constexpr int kOem1 = 186;  // ;:
constexpr int kOemPlus = 187;
constexpr int kOemComma = 188;
constexpr int kOemMinus = 189;
constexpr int kOemPeriod = 190;
constexpr int kOem2 = 191;  // /?
constexpr int kOem3 = 192;  // `~
constexpr int kOem4 = 219;  // [{
constexpr int kOem5 = 220;  // backslash
constexpr int kOem6 = 221;  // ]}
constexpr int kOem7 = 222;  // '"

}  // namespace platform::vk
