#pragma once
// The navigators' window: the search criteria in a frame at the top and, below it, two
// frames of one grid each that share the rest of the window. Their sizes are designed in
// twips, 15 to a pixel, as the plant's windows always were.

class QWidget;

namespace NavigatorFrames {

int px(double twips);
double twips(int pixels);

// Where the frames sit when the window opens, in twips: the criteria frame at the top
// left, the upper grid frame 60 below it, each grid 100 in from its frame's left edge.
constexpr int kFrameLeft = 120;
constexpr int kCriteriaTop = 60;
constexpr int kCriteriaHeight = 1500;
constexpr int kUpperTop = kCriteriaTop + kCriteriaHeight + 60;
constexpr int kGridLeft = 100;

// Fits the two grid frames to a window `width` by `height` twips: each frame as wide as
// the window less 300 and its grid 200 less than the frame; the height below the criteria
// frame less 650 goes 55 to the upper frame and 45 to the lower, 100 apart, and each grid
// is 700 (upper) or 600 (lower) lower than its frame. The frames keep their left edges and
// the upper frame its top.
void shareWindow(double width, double height, const QWidget *criteria, QWidget *upper, QWidget *upperGrid,
                 QWidget *lower, QWidget *lowerGrid);

}  // namespace NavigatorFrames
