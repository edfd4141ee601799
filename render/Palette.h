// The look of the screens: the seven colours (COLORREF, 0x00BBGGRR), the
// point sizes in tenths of a point, and the button captions.
#pragma once

#include "platform/core/Types.h"

namespace palette {
constexpr COLORREF kBlack = 0x00000000;    // the drawing area's background
constexpr COLORREF kDarkGrey = 0x00262626; // idle button and title fill; Stop, player and obstacle outline
constexpr COLORREF kGrey = 0x008C8C8C;     // title, Start and Exit outline; obstacle fill
constexpr COLORREF kRed = 0x000000CC;      // hovered button, the player, the title text
constexpr COLORREF kBlue = 0x00CC000C;     // "Start" and "Exit": blue 204 with red 12
constexpr COLORREF kYellow = 0x0000D1E5;   // "Stop"
constexpr COLORREF kWhite = 0x00FFFFFF;    // the status text

// The screens' face (the Japanese Gothic system face; the font cache maps it to IPAGothic).
constexpr const char* kScreenFaceName = "ＭＳ ゴシック";
constexpr int kTitlePointSize = 400;
constexpr int kCaptionPointSize = 200; // Start and Exit on the menu screen
constexpr int kStopPointSize = 200;    // fixed, not a parameter of DrawStopButton
constexpr int kStatusPointSize = 200;

// The score line is in the main dialog template's own font.
constexpr const char* kDialogFaceName = "ＭＳ Ｐゴシック";
constexpr int kDialogPointSize = 90;
constexpr const char* kPassedLabel = "Passed ";
constexpr const char* kBestLabel = "Best ";

constexpr const char* kStartCaption = "Start";
constexpr const char* kExitCaption = "Exit";
constexpr const char* kStopCaption = "Stop";
} // namespace palette
