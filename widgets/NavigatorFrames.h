#pragma once
// The navigators' window: the search criteria in a frame at the top and, below it, two
// frames of one grid each that share the rest of the window. Their sizes are designed in
// twips, 15 to a pixel, as the plant's windows always were.

class QWidget;

namespace NavigatorFrames {

int px(double twips);
double twips(int pixels);

// Fits the two grid frames to a window `width` by `height` twips: each frame as wide as
// the window less 300 and its grid 200 less than the frame; the height below the criteria
// frame less 650 goes 55 to the upper frame and 45 to the lower, 100 apart, and each grid
// is 700 (upper) or 600 (lower) lower than its frame. The frames keep their left edges and
// the upper frame its top.
void shareWindow(double width, double height, const QWidget *criteria, QWidget *upper, QWidget *upperGrid,
                 QWidget *lower, QWidget *lowerGrid);

}  // namespace NavigatorFrames
