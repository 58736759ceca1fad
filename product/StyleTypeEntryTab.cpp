#include "product/StyleTypeEntryTab.h"

StyleTypeEntryTab::StyleTypeEntryTab(QWidget *parent) : QWidget(parent) {}

void StyleTypeEntryTab::reset() {}
