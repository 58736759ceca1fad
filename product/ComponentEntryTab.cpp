#include "product/ComponentEntryTab.h"

ComponentEntryTab::ComponentEntryTab(QWidget *parent) : QWidget(parent) {}

void ComponentEntryTab::reset() {}
