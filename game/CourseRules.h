// The fixed values of the course rules, each defined once.
#pragma once

namespace course {
constexpr int kPlayerStartX = 100;       // a client x, not relative to the area
constexpr int kCourseWidths = 4;         // the course is four area widths long
constexpr int kFirstObstacleOffset = 200; // obstacles start this far right of the area's left edge
constexpr double kSlowSpeedX = -8.0;
constexpr double kFastSpeedX = -16.0;
constexpr int kFastEvery = 9;            // every ninth obstacle (by index) is fast
constexpr double kRisingSpeedY = -2.0;
constexpr int kRisingEvery = 5;          // every fifth obstacle rises and bounces
constexpr int kUpperBounceY = 0;         // the client area's top, not the area's
} // namespace course
