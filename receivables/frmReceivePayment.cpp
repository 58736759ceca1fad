#include "receivables/frmReceivePayment.h"

#include "core/Handler.h"
#include "core/Seams.h"
#include "core/Values.h"
#include "data/Recordset.h"
#include "widgets/DatePicker.h"
#include "receivables/Payments.h"
#include "receivables/ReceivablesStore.h"
#include "widgets/AutoCompleteCombo.h"
#include "widgets/Connectors.h"
#include "widgets/EntryList.h"
#include "widgets/FetchedRows.h"
#include "widgets/FormLayout.h"
#include "widgets/NumberBox.h"
#include "widgets/WidgetHelpers.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace FormLayout;

namespace {
const QString kMoney = QStringLiteral("$#,##0.00;($#,##0.00)");
const QString kZero = QStringLiteral("0");
}  // namespace

frmReceivePayment::frmReceivePayment(QWidget *parent)
    : ChildWindow(parent),
      dtDate(named<DatePicker>(this, "dtDate")),
      cmbInvoice(named<QComboBox>(this, "cmbInvoice")),
      txtInvoiceBalance(named<NumberBox>(this, "txtInvoiceBalance", kMoney)),
      txtPaymentAmount(named<NumberBox>(this, "txtPaymentAmount", kMoney)),
      txtAdjustments(named<NumberBox>(this, "txtAdjustments", kMoney)),
      txtNewBalance(named<NumberBox>(this, "txtNewBalance", kMoney)),
      btnSave(named<QPushButton>(this, "btnSave", QStringLiteral("Save"))),
      btnExit(named<QPushButton>(this, "btnExit", QStringLiteral("Exit"))) {
    setWindowTitle(QStringLiteral("Receive Payment"));
    layOut();
    AttachAutoComplete(cmbInvoice);
    // Focusing a NumberBox selects its whole text; leaving the two amount boxes is
    // watched here.
    txtPaymentAmount->installEventFilter(this);
    txtAdjustments->installEventFilter(this);

    onPick(cmbInvoice, this, [this] { cmbInvoice_Click(); });
    onClick(btnSave, this, [this] { btnSave_Click(); });
    onClick(btnExit, this, [this] { btnExit_Click(); });

    handler([this] { Form_Load(); })();
}

void frmReceivePayment::layOut() {
    auto *rows = labelledRows({
        {QStringLiteral("Date"), dtDate},
        {QStringLiteral("Invoice"), cmbInvoice},
        {QStringLiteral("Invoice Balance"), txtInvoiceBalance},
        {QStringLiteral("Payment Amount"), txtPaymentAmount},
        {QStringLiteral("Adjustment"), txtAdjustments},
        {QStringLiteral("New Balance"), txtNewBalance},
    });
    rows->setColumnMinimumWidth(1, 140);
    auto *window = new QVBoxLayout(this);
    window->addLayout(rows);
    window->addLayout(buttonRow({btnSave, btnExit}));
    window->setSizeConstraint(QLayout::SetFixedSize);  // a fixed border: not resizable
    tabOrder({dtDate, cmbInvoice, txtPaymentAmount, txtAdjustments, btnSave, btnExit});
}

void frmReceivePayment::Form_Load() {
    // The two computed boxes are read-only, shaded like the buttons.
    for (NumberBox *computed : {txtInvoiceBalance, txtNewBalance}) {
        computed->setEnabled(false);
        QPalette shade = computed->palette();
        shade.setColor(QPalette::Disabled, QPalette::Base, shade.color(QPalette::Button));
        computed->setPalette(shade);
    }
    ClearAmounts();
    ShowNumberEntries(cmbInvoice, ReadKeys(ReceivablesStore::InvoiceIds(), QStringLiteral("ID")));
    dtDate->setDate(Seams::clock().today());
}

// The window opens at the top left corner of the main window's workspace.
void frmReceivePayment::showEvent(QShowEvent *event) {
    ChildWindow::showEvent(event);
    if (m_placed) return;
    m_placed = true;
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget())) frame->move(0, 0);
}

void frmReceivePayment::ClearAmounts() {
    for (NumberBox *box : {txtInvoiceBalance, txtPaymentAmount, txtAdjustments, txtNewBalance}) box->setText(kZero);
}

qint64 frmReceivePayment::SelectedInvoice() const { return cmbInvoice->currentText().toLongLong(); }

void frmReceivePayment::cmbInvoice_Click() {
    ClearAmounts();
    if (cmbInvoice->currentText().isEmpty()) return;
    const double balance = InvoiceBalance(SelectedInvoice());
    txtInvoiceBalance->setText(Values::Format(balance, QString()));
    UpdateNewBalance();
}

void frmReceivePayment::UpdateNewBalance() {
    const double balance =
        NewBalance(Values::NumericValue(txtInvoiceBalance->text()), txtPaymentAmount->text(), txtAdjustments->text());
    txtNewBalance->setText(Values::Format(balance, QStringLiteral("#,##0.00")));
}

bool frmReceivePayment::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::FocusOut) {
        if (watched == txtPaymentAmount) handler([this] { txtPaymentAmount_LostFocus(); })();
        else if (watched == txtAdjustments) handler([this] { txtAdjustments_LostFocus(); })();
    }
    return ChildWindow::eventFilter(watched, event);
}

void frmReceivePayment::txtPaymentAmount_LostFocus() { AmountLeft(txtPaymentAmount); }

void frmReceivePayment::txtAdjustments_LostFocus() { AmountLeft(txtAdjustments); }

void frmReceivePayment::AmountLeft(NumberBox *box) {
    if (Values::IsNumeric(box->text())) UpdateNewBalance();
    else box->setText(kZero);
}

void frmReceivePayment::btnSave_Click() {
    // An amount box still being edited is read as it would be on leaving it, so a text
    // that is not a number counts as "0" here too.
    for (NumberBox *box : {txtPaymentAmount, txtAdjustments})
        if (!Values::IsNumeric(box->text())) box->setText(kZero);

    if (cmbInvoice->currentText().isEmpty() || cmbInvoice->currentIndex() < 0) {
        Seams::messages().tell(QStringLiteral("You must select an invoice"), QStringLiteral("No Invoice Selected"));
    } else if (txtPaymentAmount->text() == kZero && txtAdjustments->text() == kZero) {
        Seams::messages().tell(QStringLiteral("You must enter a payment or adjustment amount."),
                               QStringLiteral("Invalid Payment/Adjustment Amount"));
    } else {
        RecordPayment(SelectedInvoice(), dtDate->date(), txtPaymentAmount->text(), txtAdjustments->text());
    }
    // Saved or refused, the next payment starts afresh; the date stays.
    ClearAmounts();
    const QSignalBlocker blocker(cmbInvoice);
    cmbInvoice->setCurrentIndex(-1);
}

void frmReceivePayment::btnExit_Click() { unload(); }
