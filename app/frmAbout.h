#pragma once
// The About box: the application's title, version and maker, the plant database it works
// on, and a button that starts
// the desktop's system-information tool.

#include "widgets/ChildWindow.h"

class QLabel;
class QPushButton;

class frmAbout : public ChildWindow {
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    // The facts shown when the desktop has no system-information tool.
    static QString systemFacts();

private:
    void btnSysInfo_Click();

    QLabel *lblTitle;
    QLabel *lblVersion;
    QLabel *lblMaker;
    QLabel *lblDatabase;
    QPushButton *btnOK;
    QPushButton *btnSysInfo;
};
