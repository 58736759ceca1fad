#include "receivables/frmStyleReport.h"

#include "data/Recordset.h"
#include "receivables/ReceivablesStore.h"
#include "reports/ReportsMod.h"
#include "widgets/AutoCompleteCombo.h"
#include "widgets/Connectors.h"
#include "widgets/FormLayout.h"

#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace FormLayout;
using namespace StyleListingFilter;

namespace {

// Refills a list with its "***All ...***" entry and, when rows are given, one column of
// them, without running the list's handlers.
void fillWithAll(QComboBox *combo, const QString &all, std::unique_ptr<Recordset> rows = {}, const QString &column = {}) {
    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItem(all);
    if (!rows) return;
    for (; !rows->eof(); rows->moveNext()) combo->addItem(rows->text(column));
    rows->close();
}

}  // namespace

frmStyleReport::frmStyleReport(QWidget *parent)
    : ChildWindow(parent),
      cmbCustomer(named<QComboBox>(this, "cmbCustomer")),
      cmbStyle(named<QComboBox>(this, "cmbStyle")),
      cmbType(named<QComboBox>(this, "cmbType")),
      btnPrint(named<QPushButton>(this, "btnPrint", QStringLiteral("Print"))),
      btnCancel(named<QPushButton>(this, "btnCancel", QStringLiteral("Cancel"))) {
    setWindowTitle(QStringLiteral("Style Selection"));
    makeKeyCombo(cmbStyle);
    makeKeyCombo(cmbType);
    layOut();
    AttachAutoComplete(cmbCustomer);

    // Both the pick and a change of the customer run the same handler; so do typing in
    // and picking from the style list.
    onPick(cmbCustomer, this, [this] { cmbCustomer_Click(); });
    onEdit(cmbStyle, this, [this] { cmbStyle_Change(); });
    onPick(cmbStyle, this, [this] { cmbStyle_Change(); });
    onClick(btnPrint, this, [this] { btnPrint_Click(); });
    onClick(btnCancel, this, [this] { btnCancel_Click(); });

    handler([this] { Form_Load(); })();
}

void frmStyleReport::layOut() {
    auto *rows = labelledRows({
        {QStringLiteral("Customer"), cmbCustomer},
        {QStringLiteral("Style"), cmbStyle},
        {QStringLiteral("Type"), cmbType},
    });
    rows->setColumnMinimumWidth(1, 240);
    auto *window = new QVBoxLayout(this);
    window->addLayout(rows);
    window->addLayout(buttonRow({btnPrint, btnCancel}));
    window->setSizeConstraint(QLayout::SetFixedSize);  // a fixed border: not resizable
    tabOrder({cmbCustomer, cmbStyle, cmbType, btnPrint, btnCancel});
}

void frmStyleReport::Form_Load() {
    fillWithAll(cmbCustomer, AllCustomers, ReceivablesStore::CustomerNames(), QStringLiteral("Customer"));
    {
        const QSignalBlocker blocker(cmbCustomer);
        cmbCustomer->setCurrentIndex(0);
    }
    // Each list holds its "***All ...***" entry alone, shown as its text.
    fillWithAll(cmbStyle, AllStyles);
    fillWithAll(cmbType, AllTypes);
}

void frmStyleReport::cmbCustomer_Click() {
    const QString customer = cmbCustomer->currentText();
    if (customer == AllCustomers) {
        const QSignalBlocker blocker(cmbStyle);
        cmbStyle->clear();
    } else {
        fillWithAll(cmbStyle, AllStyles, ReceivablesStore::StyleNames(customer), QStringLiteral("Name"));
    }
    // Shown even when the list is empty; then the style list's handler runs.
    {
        const QSignalBlocker blocker(cmbStyle);
        cmbStyle->setEditText(AllStyles);
    }
    cmbStyle_Change();
}

void frmStyleReport::cmbStyle_Change() {
    const QString customer = cmbCustomer->currentText();
    const QString style = cmbStyle->currentText();
    if (style != AllStyles && customer != AllCustomers)
        fillWithAll(cmbType, AllTypes, ReceivablesStore::StyleTypes(customer, style), QStringLiteral("Type"));
    cmbType->setEditText(AllTypes);
}

void frmStyleReport::btnPrint_Click() {
    const QString customer = cmbCustomer->currentText();
    const QString style = cmbStyle->currentText();
    const QString type = cmbType->currentText();
    if (customer.isEmpty() || style.isEmpty() || type.isEmpty()) return;
    PrintStyleListing(customer, style, type);
    unload();
}

void frmStyleReport::btnCancel_Click() { unload(); }
