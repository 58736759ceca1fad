#include "widgets/NavigatorFrames.h"

#include <QWidget>

namespace NavigatorFrames {

int px(double twips) { return int(twips / 15.0); }
double twips(int pixels) { return pixels * 15.0; }

void shareWindow(double width, double height, const QWidget *criteria, QWidget *upper, QWidget *upperGrid,
                 QWidget *lower, QWidget *lowerGrid) {
    if (width - 300 > 0) {
        upper->resize(px(width - 300), upper->height());
        lower->resize(px(width - 300), lower->height());
        if (twips(upper->width()) - 200 > 0) {
            upperGrid->resize(upper->width() - px(200), upperGrid->height());
            lowerGrid->resize(upper->width() - px(200), lowerGrid->height());
        }
    }
    const double free = height - twips(criteria->height()) - 650;
    if (free <= 0) return;
    upper->resize(upper->width(), px(free * 0.55));
    if (twips(upper->height()) - 700 > 0) upperGrid->resize(upperGrid->width(), upper->height() - px(700));
    lower->move(lower->x(), upper->y() + upper->height() + px(100));
    lower->resize(lower->width(), px(free * 0.45));
    if (twips(lower->height()) - 600 > 0) lowerGrid->resize(lowerGrid->width(), lower->height() - px(600));
}

}  // namespace NavigatorFrames
