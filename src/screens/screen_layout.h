#pragma once

// Where the screens stand their pictures, in the numbers tools/assetgen draws those pictures
// to: a panel is as wide as what the screens put on it, a window is centred on its buttons.
// Positions are the pictures' top left on the 800 × 600 surface.
namespace screen_layout {

// The caption and the panel the options, the records and the help stand on.
constexpr int kFrameX = 181;
constexpr int kCaptionY = 179;
constexpr int kCaptionHeight = 56;
constexpr int kPanelY = 241;
constexpr int kPanelWidth = 560;
constexpr int kPanelHeight = 300;

// The records' rows are centred at y kRecordRowsY + kRecordRowStep × row (rows 1 to 10).
constexpr int kRecordRowsY = 264;
constexpr int kRecordRowStep = 26;

// The options' row bars (rows 1 to 5) stand at x kOptionRowX.
constexpr int kOptionRowX = 204;
constexpr int kOptionRowY[] = {0, 270, 323, 375, 428, 481};
constexpr int kOptionRowHeight = 30;

// The window of a question, and its Yes and No.
constexpr int kWindowX = 256;
constexpr int kWindowY = 226;
constexpr int kYesX = 320;
constexpr int kNoX = 446;
constexpr int kAnswerY = 346;
constexpr int kAnswerWidth = 90;
constexpr int kAnswerHeight = 36;

// The main menu's buttons, down the right.
constexpr int kMainButtonX = 498;
constexpr int kMainButtonWidth = 250;
constexpr int kMainButtonHeight = 45;

}  // namespace screen_layout
