#include "product/ComponentFrame.h"

ComponentFrame::ComponentFrame(QWidget *parent) : QGroupBox(parent) {}

void ComponentFrame::reset() {}

void ComponentFrame::loadLink(const QVariant &, const QVariant &, const QVariant &, const QVariant &) {}
