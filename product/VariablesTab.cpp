#include "product/VariablesTab.h"

VariablesTab::VariablesTab(QWidget *parent) : QWidget(parent) {}

void VariablesTab::reset() {}
