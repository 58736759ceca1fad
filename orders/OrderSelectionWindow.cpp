#include "orders/OrderSelectionWindow.h"

#include "data/Recordset.h"
#include "orders/OrderStore.h"
#include "widgets/AutoCompleteCombo.h"
#include "widgets/Connectors.h"
#include "widgets/EntryList.h"
#include "widgets/FetchedRows.h"
#include "widgets/FormLayout.h"
#include "widgets/WidgetHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace FormLayout;

OrderSelectionWindow::OrderSelectionWindow(QWidget *parent)
    : ChildWindow(parent),
      cmbOrder(named<QComboBox>(this, "cmbOrder")),
      btnPrint(named<QPushButton>(this, "btnPrint", QStringLiteral("Print"))),
      btnCancel(named<QPushButton>(this, "btnCancel", QStringLiteral("Cancel"))) {
    setWindowTitle(QStringLiteral("Order Selection"));
    layOut();
    AttachAutoComplete(cmbOrder);
    onClick(btnPrint, this, [this] { btnPrint_Click(); });
    onClick(btnCancel, this, [this] { btnCancel_Click(); });
    handler([this] { Form_Load(); })();
}

void OrderSelectionWindow::layOut() {
    cmbOrder->setMinimumWidth(260);
    auto *window = new QVBoxLayout(this);
    window->addLayout(labelledRows({{QStringLiteral("Order Number"), cmbOrder}}));
    window->addLayout(buttonRow({btnPrint, btnCancel}));
    window->setSizeConstraint(QLayout::SetFixedSize);  // a fixed border: not resizable
    tabOrder({cmbOrder, btnPrint, btnCancel});
}

// Every order of the plant is listed; the entries are read as the list shows them.
void OrderSelectionWindow::Form_Load() {
    const QVector<qint64> ids = ReadKeys(OrderStore::OrderIdsByCustomer(), QStringLiteral("ID"));
    auto names = [](const QVector<qint64> &block) {
        return CellsByKey(OrderStore::OrderNamesWithIds(block), QStringLiteral("ID"), [](const Recordset &order) {
            return QStringList{order.text(QStringLiteral("Customer")) + QStringLiteral(" - ") +
                               order.text(QStringLiteral("OrderNumber"))};
        });
    };
    auto findPrefix = [ids](const QString &prefix) {
        const QVector<qint64> first = ReadKeys(OrderStore::FirstOrderNamed(prefix), QStringLiteral("ID"));
        return first.isEmpty() ? -1 : int(ids.indexOf(first.first()));
    };
    ShowFetchedEntries(cmbOrder, std::make_unique<FetchedRows>(ids, names), findPrefix, 30);
}

void OrderSelectionWindow::btnPrint_Click() {
    if (cmbOrder->currentText().isEmpty()) return;
    PrintDocuments(SelectedId(cmbOrder).toString());
    unload();
}

void OrderSelectionWindow::btnCancel_Click() { unload(); }
