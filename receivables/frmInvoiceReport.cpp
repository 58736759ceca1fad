#include "receivables/frmInvoiceReport.h"

#include "core/Seams.h"
#include "data/Recordset.h"
#include "receivables/ReceivablesStore.h"
#include "reports/ReportsMod.h"
#include "widgets/AutoCompleteCombo.h"
#include "widgets/Connectors.h"
#include "widgets/FormLayout.h"
#include "widgets/WidgetHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace FormLayout;

frmInvoiceReport::frmInvoiceReport(QWidget *parent)
    : ChildWindow(parent),
      cmbInvoice(named<QComboBox>(this, "cmbInvoice")),
      btnOK(named<QPushButton>(this, "btnOK", QStringLiteral("Ok"))),
      btnCancel(named<QPushButton>(this, "btnCancel", QStringLiteral("Cancel"))) {
    setWindowTitle(QStringLiteral("Invoice Report"));
    layOut();
    AttachAutoComplete(cmbInvoice);
    onClick(btnOK, this, [this] { btnOK_Click(); });
    onClick(btnCancel, this, [this] { btnCancel_Click(); });
    handler([this] { Form_Load(); })();
}

void frmInvoiceReport::layOut() {
    auto *rows = labelledRows({{QStringLiteral("Invoice Number:"), cmbInvoice}});
    rows->setColumnMinimumWidth(1, 120);
    auto *window = new QVBoxLayout(this);
    window->addLayout(rows);
    window->addLayout(buttonRow({btnOK, btnCancel}));
    window->setSizeConstraint(QLayout::SetFixedSize);  // a fixed border: not resizable
    tabOrder({cmbInvoice, btnOK, btnCancel});
}

void frmInvoiceReport::Form_Load() {
    FillCombo(cmbInvoice, ReceivablesStore::InvoiceIds(), QStringLiteral("ID"));
}

void frmInvoiceReport::btnOK_Click() {
    if (cmbInvoice->currentIndex() < 0) {
        Seams::messages().tell(QStringLiteral("You must select an Invoice."), QStringLiteral("Invalid Selection"));
        return;
    }
    BusyCursor busy;
    // The list holds the invoice numbers themselves.
    PrintInvoice(cmbInvoice->currentText().toLongLong());
    unload();
}

void frmInvoiceReport::btnCancel_Click() { unload(); }
