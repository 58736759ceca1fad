#include "product/StyleEntryTab.h"

StyleEntryTab::StyleEntryTab(QWidget *parent) : QWidget(parent) {}
void StyleEntryTab::reset() {}
void StyleEntryTab::loadNode(int, const QVariant &) {}
