#include "product/frmStyle.h"

frmStyle::frmStyle(QWidget *parent) : ChildWindow(parent) { setWindowTitle(QStringLiteral("Administration")); }
void frmStyle::ResetForm() {}
void frmStyle::RefreshTree() {}
