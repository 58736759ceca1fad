#include "product/OperationFrame.h"

OperationFrame::OperationFrame(QWidget *parent) : QGroupBox(parent) {}
void OperationFrame::reset() {}
void OperationFrame::loadOperation(const QVariant &, const QVariant &, const QVariant &, const QVariant &,
                                   const QVariant &, const QVariant &, const QVariant &, const QVariant &) {}
