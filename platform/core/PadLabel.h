// Game controllers' face buttons as their players read them. What a button
// does goes by its place on the pad (the bottom one confirms, the right one
// goes back); what is printed on it depends on the family that made the pad:
//   Xbox (and any pad of no known family)   bottom A, right B
//   PlayStation                             bottom cross, right circle
//   Nintendo                                bottom B, right A
// No SDL here: the platform tells the family, the drawing layer draws the label.
#pragma once

enum class EPadFamily { kNone, kXbox, kPlayStation, kNintendo };

// The two face buttons the program uses, by place.
enum class EPadButton { kBottom, kRight };

// What is printed on a face button; kNone draws nothing.
enum class EPadLabel { kNone, kXboxA, kXboxB, kCross, kCircle, kNintendoA, kNintendoB };

// The label of the button at place on a pad of family; kNone for no family.
constexpr EPadLabel AfxPadLabel(EPadFamily family, EPadButton place)
{
    const bool bBottom = place == EPadButton::kBottom;
    switch (family) {
    case EPadFamily::kXbox:
        return bBottom ? EPadLabel::kXboxA : EPadLabel::kXboxB;
    case EPadFamily::kPlayStation:
        return bBottom ? EPadLabel::kCross : EPadLabel::kCircle;
    case EPadFamily::kNintendo:
        // Printed the other way round from Xbox: the bottom button says B.
        return bBottom ? EPadLabel::kNintendoB : EPadLabel::kNintendoA;
    default:
        return EPadLabel::kNone;
    }
}
