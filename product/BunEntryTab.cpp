#include "product/BunEntryTab.h"

BunEntryTab::BunEntryTab(QWidget *parent) : QWidget(parent) {}

void BunEntryTab::reset() {}
