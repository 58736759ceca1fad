#include "product/StyleFrame.h"

StyleFrame::StyleFrame(QWidget *parent) : QGroupBox(parent) {}
void StyleFrame::reset() {}
void StyleFrame::loadStyle(const QVariant &, const QVariant &, const QVariant &, const QVariant &,
                           const QVariant &, const QVariant &) {}
