#include "product/OperationEntryTab.h"

OperationEntryTab::OperationEntryTab(QWidget *parent) : QWidget(parent) {}
void OperationEntryTab::reset() {}
