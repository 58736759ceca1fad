#include "receivables/frmSalesByCustomer.h"

#include "core/Seams.h"
#include "core/Values.h"
#include "widgets/DatePicker.h"
#include "reports/ReportsMod.h"
#include "widgets/Connectors.h"
#include "widgets/FormLayout.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace FormLayout;

frmSalesByCustomer::frmSalesByCustomer(QWidget *parent)
    : ChildWindow(parent),
      dtStart(named<DatePicker>(this, "dtStart")),
      dtEnd(named<DatePicker>(this, "dtEnd")),
      chkDetail(named<QCheckBox>(this, "chkDetail", QStringLiteral("With Details"))),
      btnOK(named<QPushButton>(this, "btnOK", QStringLiteral("Ok"))),
      btnCancel(named<QPushButton>(this, "btnCancel", QStringLiteral("Cancel"))) {
    setWindowTitle(QStringLiteral("Sales By Customer Report"));
    layOut();
    onClick(btnOK, this, [this] { btnOK_Click(); });
    onClick(btnCancel, this, [this] { btnCancel_Click(); });
    handler([this] { Form_Load(); })();
}

void frmSalesByCustomer::layOut() {
    auto *rows = labelledRows({
        {QStringLiteral("Begin Date"), dtStart},
        {QStringLiteral("End Date"), dtEnd},
    });
    rows->addWidget(chkDetail, rows->rowCount(), 1);
    auto *window = new QVBoxLayout(this);
    window->addLayout(rows);
    window->addLayout(buttonRow({btnOK, btnCancel}));
    window->setSizeConstraint(QLayout::SetFixedSize);  // a fixed border: not resizable
    tabOrder({dtStart, dtEnd, chkDetail, btnOK, btnCancel});
}

void frmSalesByCustomer::Form_Load() {
    const QDate today = Seams::clock().today();
    dtStart->setDate(today);
    dtEnd->setDate(today);
}

void frmSalesByCustomer::btnOK_Click() {
    BusyCursor busy;
    // The dates go to the query as month/day/year, whatever the desktop's date form.
    PrintSalesByCustomer(Values::ShortDate(dtStart->date()), Values::ShortDate(dtEnd->date()),
                         chkDetail->isChecked() ? 1 : 0);
    unload();
}

void frmSalesByCustomer::btnCancel_Click() { unload(); }
