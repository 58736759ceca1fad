#include "receivables/frmInvoices.h"

#include "core/Seams.h"
#include "core/Values.h"
#include "data/Recordset.h"
#include "widgets/DatePicker.h"
#include "receivables/Invoicing.h"
#include "receivables/ReceivablesStore.h"
#include "reports/ReportsMod.h"
#include "widgets/AutoCompleteCombo.h"
#include "widgets/Connectors.h"
#include "widgets/FormLayout.h"
#include "widgets/NumberBox.h"
#include "widgets/WidgetHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QVBoxLayout>

using namespace FormLayout;

namespace {

const QString kMoney = QStringLiteral("$#,##0.00;($#,##0.00)");

// Moves the selected entry, with the order ID it carries, to the end of the other list.
void moveSelected(QListWidget *from, QListWidget *to) {
    const int row = from->currentRow();
    if (row < 0 || !from->item(row)->isSelected()) return;
    to->addItem(from->takeItem(row));
    from->clearSelection();
    from->setCurrentRow(-1);
}

QLabel *listCaption(const QString &caption, QWidget *list) {
    auto *label = new QLabel(caption, list->parentWidget());
    label->setBuddy(list);
    return label;
}

}  // namespace

frmInvoices::frmInvoices(QWidget *parent)
    : ChildWindow(parent),
      cmbCustomer(named<QComboBox>(this, "cmbCustomer")),
      lstOrders(named<QListWidget>(this, "lstOrders")),
      lstToInvoice(named<QListWidget>(this, "lstToInvoice")),
      btnAdd(named<QPushButton>(this, "btnAdd", QStringLiteral(">>"))),
      btnRemove(named<QPushButton>(this, "btnRemove", QStringLiteral("<<"))),
      dtInvoiceDate(named<DatePicker>(this, "dtInvoiceDate")),
      dtDueDate(named<DatePicker>(this, "dtDueDate")),
      txtFreight(named<NumberBox>(this, "txtFreight", kMoney)),
      txtMisc(named<NumberBox>(this, "txtMisc", kMoney)),
      txtMemo(named<QPlainTextEdit>(this, "txtMemo")),
      btnPrint(named<QPushButton>(this, "btnPrint", QStringLiteral("Create Invoices"))),
      btnCancel(named<QPushButton>(this, "btnCancel", QStringLiteral("Cancel"))) {
    setWindowTitle(QStringLiteral("Invoicing"));
    txtMemo->setTabChangesFocus(true);
    layOut();
    AttachAutoComplete(cmbCustomer);

    onPick(cmbCustomer, this, [this] { cmbCustomer_Click(); });
    onClick(btnAdd, this, [this] { btnAdd_Click(); });
    onClick(btnRemove, this, [this] { btnRemove_Click(); });
    connect(txtMemo, &QPlainTextEdit::textChanged, this, handler([this] { txtMemo_Change(); }));
    onClick(btnPrint, this, [this] { btnPrint_Click(); });
    onClick(btnCancel, this, [this] { btnCancel_Click(); });

    handler([this] { Form_Load(); })();
}

void frmInvoices::layOut() {
    // The lists side by side with the two move buttons between them.
    auto *moves = new QVBoxLayout;
    moves->addStretch();
    moves->addWidget(btnAdd);
    moves->addWidget(btnRemove);
    moves->addStretch();
    lstOrders->setMinimumSize(220, 160);
    lstToInvoice->setMinimumSize(220, 160);
    auto *lists = new QGridLayout;
    lists->addWidget(listCaption(QStringLiteral("Orders Not Yet Invoiced"), lstOrders), 0, 0);
    lists->addWidget(listCaption(QStringLiteral("Orders To Invoice"), lstToInvoice), 0, 2);
    lists->addWidget(lstOrders, 1, 0);
    lists->addLayout(moves, 1, 1);
    lists->addWidget(lstToInvoice, 1, 2);

    auto *top = new QGridLayout;
    addRow(top, QStringLiteral("Customer:"), cmbCustomer);
    cmbCustomer->setMinimumWidth(260);
    top->setColumnStretch(2, 1);

    auto *amounts = new QGridLayout;
    addRow(amounts, QStringLiteral("Invoice Date:"), dtInvoiceDate);
    addRow(amounts, QStringLiteral("Due Date:"), dtDueDate);
    addRow(amounts, QStringLiteral("Freight:"), txtFreight);
    addRow(amounts, QStringLiteral("Misc:"), txtMisc);
    addRow(amounts, QStringLiteral("Memo:"), txtMemo);
    txtMemo->setFixedHeight(70);

    auto *window = new QVBoxLayout(this);
    window->addLayout(top);
    window->addLayout(lists);
    window->addLayout(amounts);
    window->addLayout(buttonRow({btnPrint, btnCancel}));
    window->setSizeConstraint(QLayout::SetFixedSize);  // a fixed border: not resizable

    tabOrder({cmbCustomer, lstOrders, btnAdd, btnRemove, lstToInvoice, dtInvoiceDate, dtDueDate, txtFreight, txtMisc,
              txtMemo, btnPrint, btnCancel});
}

void frmInvoices::Form_Load() {
    // Customers of every status: an inactive customer may still have orders to bill.
    FillCombo(cmbCustomer, ReceivablesStore::CustomersToBill(), QStringLiteral("Customer"));
    ClearInvoice();
}

void frmInvoices::ClearInvoice() {
    {
        const QSignalBlocker blocker(cmbCustomer);
        cmbCustomer->setCurrentIndex(-1);
    }
    lstOrders->clear();
    lstToInvoice->clear();
    const QDate today = Seams::clock().today();
    dtInvoiceDate->setDate(today);
    dtDueDate->setDate(today.addDays(30));
    txtFreight->setText(QStringLiteral("0"));
    txtMisc->setText(QStringLiteral("0"));
    txtMemo->clear();
}

void frmInvoices::cmbCustomer_Click() {
    const QString customer = cmbCustomer->currentText();
    if (customer.isEmpty()) return;
    lstOrders->clear();
    lstToInvoice->clear();
    auto rows = ReceivablesStore::UninvoicedOrders(customer);
    for (; !rows->eof(); rows->moveNext()) {
        const QVariant id = rows->field(QStringLiteral("ID"));
        auto *entry = new QListWidgetItem(id.toString() + QStringLiteral(" - ") + rows->text(QStringLiteral("OrderNumber")) +
                                          QStringLiteral(" - ") +
                                          Values::ShortDate(rows->field(QStringLiteral("OrderDate")).toDate()));
        entry->setData(Qt::UserRole, id);
        lstOrders->addItem(entry);
    }
    rows->close();
}

void frmInvoices::btnAdd_Click() { moveSelected(lstOrders, lstToInvoice); }

void frmInvoices::btnRemove_Click() { moveSelected(lstToInvoice, lstOrders); }

void frmInvoices::txtMemo_Change() {
    const QString memo = txtMemo->toPlainText();
    if (memo.size() <= MemoLength) return;
    // Typed or pasted past the limit: keep the first characters, caret at the end.
    const QSignalBlocker blocker(txtMemo);
    txtMemo->setPlainText(Values::CutToLength(memo, MemoLength));
    txtMemo->moveCursor(QTextCursor::End);
}

QVector<qint64> frmInvoices::OrdersToInvoice() const {
    QVector<qint64> ids;
    for (int i = 0; i < lstToInvoice->count(); ++i) ids.append(lstToInvoice->item(i)->data(Qt::UserRole).toLongLong());
    return ids;
}

void frmInvoices::btnPrint_Click() {
    if (lstToInvoice->count() == 0) {
        Seams::messages().tell(QStringLiteral("No Invoices Selected."), QStringLiteral("No Invoices Selected"));
        return;
    }
    qint64 invoiceId = 0;
    {
        BusyCursor busy;
        invoiceId = CreateInvoice({cmbCustomer->currentText(), dtInvoiceDate->date(), dtDueDate->date(), txtFreight->text(),
                                   txtMisc->text(), txtMemo->toPlainText(), OrdersToInvoice()});
    }
    // The invoice is stored: the window is ready for the next customer even should the
    // preview fail.
    ClearInvoice();
    PrintInvoice(invoiceId);
}

void frmInvoices::btnCancel_Click() { unload(); }
