#include "product/StyleTree.h"

StyleTree::StyleTree(QWidget *parent) : QTreeWidget(parent) { setObjectName(QStringLiteral("StyleTree")); }
void StyleTree::refresh() {}
void StyleTree::keyPressEvent(QKeyEvent *event) { QTreeWidget::keyPressEvent(event); }
