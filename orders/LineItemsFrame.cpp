#include "orders/LineItemsFrame.h"

#include "core/Handler.h"
#include "core/Seams.h"
#include "core/Values.h"
#include "data/Recordset.h"
#include "orders/OrderCells.h"
#include "orders/OrderStore.h"
#include "widgets/AutoCompleteCombo.h"
#include "widgets/Connectors.h"
#include "widgets/FormLayout.h"
#include "widgets/Grid.h"
#include "widgets/NumberBox.h"
#include "widgets/WidgetHelpers.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

using namespace FormLayout;

namespace {

const QString kMoneyBox = QStringLiteral("$#,##0.00;($#,##0.00)");
const QString kMoneyCell = QStringLiteral("$#,###.##");
constexpr int kPriceRole = Qt::UserRole + 1;  // a style's price, beside its ID

// The grid's columns.
enum Column { ItemNumber, Line, Qty, Style, PriceEach, PriceExt, StyleID, ColumnCount };

const QStringList kHeaders = {QStringLiteral("Item Number"), QStringLiteral("Line"),       QStringLiteral("Qty"),
                              QStringLiteral("Style"),       QStringLiteral("Price Each"), QStringLiteral("Price Ext."),
                              QStringLiteral("Style ID")};

QLabel *borderedLabel(QWidget *parent, const char *name) {
    auto *label = named<QLabel>(parent, name);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

bool isEnter(const QEvent *event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

LineItemsFrame::LineItemsFrame(QWidget *parent)
    : QGroupBox(QStringLiteral("Line Items"), parent),
      vsfgItems(named<Grid>(this, "vsfgItems")),
      lblItem(borderedLabel(this, "lblItem")),
      txtLine(named<QLineEdit>(this, "txtLine")),
      cmbStyle(named<QComboBox>(this, "cmbStyle")),
      txtQty(named<QLineEdit>(this, "txtQty")),
      txtPriceEach(named<NumberBox>(this, "txtPriceEach", kMoneyBox)),
      lblPriceExt(named<NumberBox>(this, "lblPriceExt", kMoneyBox)),
      btnSaveItem(named<QPushButton>(this, "btnSaveItem", QStringLiteral("Save"))),
      btnDeleteItem(named<QPushButton>(this, "btnDeleteItem", QStringLiteral("Delete"))) {
    setObjectName(QStringLiteral("fraLineItems"));
    layOut();

    lblPriceExt->setReadOnly(true);
    lblPriceExt->setFocusPolicy(Qt::NoFocus);
    AttachAutoComplete(cmbStyle, /*passEnter=*/true);
    SelectAllOnFocus({txtQty, txtPriceEach});
    for (QWidget *field : {static_cast<QWidget *>(txtLine), static_cast<QWidget *>(cmbStyle),
                           static_cast<QWidget *>(txtQty), static_cast<QWidget *>(txtPriceEach)})
        field->installEventFilter(this);

    onPick(cmbStyle, this, [this] { cmbStyle_Click(); });
    onClick(btnSaveItem, this, [this] { btnSaveItem_Click(); });
    onClick(btnDeleteItem, this, [this] { btnDeleteItem_Click(); });
    connect(vsfgItems, &Grid::currentRowChanged, this, handler([this] { vsfgItems_RowColChange(); }));
    // A click on the line already current (after a delete, or after saving it) loads it too.
    connect(vsfgItems, &Grid::clicked, this, handler([this] { vsfgItems_RowColChange(); }));
}

void LineItemsFrame::layOut() {
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setVerticalSpacing(2);
    grid->addWidget(vsfgItems, 0, 0, 1, 8);
    const std::pair<const char *, QWidget *> fields[] = {
        {"Item", lblItem},           {"Line", txtLine},        {"Style", cmbStyle},
        {"Qty Ordered", txtQty},     {"Price Each", txtPriceEach}, {"Price Ext", lblPriceExt},
    };
    int column = 0;
    for (const auto &[caption, field] : fields) {
        auto *label = new QLabel(QString::fromLatin1(caption), this);
        label->setBuddy(field);
        grid->addWidget(label, 1, column);
        grid->addWidget(field, 2, column++);
    }
    grid->addWidget(btnSaveItem, 2, column++);
    grid->addWidget(btnDeleteItem, 2, column);
    grid->setColumnStretch(2, 1);
    lblItem->setFixedWidth(40);
    txtLine->setFixedWidth(60);
    txtQty->setFixedWidth(60);
    txtPriceEach->setFixedWidth(80);
    lblPriceExt->setFixedWidth(80);
    btnSaveItem->setFixedWidth(56);
    btnDeleteItem->setFixedWidth(56);
    tabOrder({txtLine, cmbStyle, txtQty, txtPriceEach, btnSaveItem, btnDeleteItem, vsfgItems});
}

QWidget *LineItemsFrame::firstField() const { return txtLine; }
QWidget *LineItemsFrame::lastField() const { return vsfgItems; }

void LineItemsFrame::RefreshGrid(const QString &orderId) {
    m_orderId = orderId;
    vsfgItems->clear();
    vsfgItems->setCols(ColumnCount);
    vsfgItems->addItem(kHeaders);
    if (!orderId.isEmpty()) {
        auto rs = OrderStore::OrderItems(orderId);
        for (; !rs->eof(); rs->moveNext()) {
            const QVariant qty = rs->field(QStringLiteral("Qty"));
            const QVariant price = rs->field(QStringLiteral("PriceEach"));
            // The extended price is worked out again from quantity and price, not read.
            const QVariant extended = qty.isNull() || price.isNull() ? QVariant() : QVariant(qty.toDouble() * price.toDouble());
            vsfgItems->addItem({CellText(rs->field(QStringLiteral("ItemNumber"))), CellText(rs->field(QStringLiteral("Line"))),
                                CellText(qty), StyleText(*rs), CellText(price), CellText(extended),
                                CellText(rs->field(QStringLiteral("StyleID")))});
        }
        rs->close();
    }
    for (int col = ItemNumber; col <= PriceExt; ++col) vsfgItems->setColAlignment(col, Qt::AlignCenter);
    vsfgItems->setColFormat(PriceEach, kMoneyCell);
    vsfgItems->setColFormat(PriceExt, kMoneyCell);
    fitGrid();
}

void LineItemsFrame::FillStyles(const QString &customer) {
    const QSignalBlocker blocker(cmbStyle);
    cmbStyle->clear();
    auto rs = OrderStore::ActiveStyles(customer);
    for (; !rs->eof(); rs->moveNext()) {
        cmbStyle->addItem(StyleText(*rs), rs->field(QStringLiteral("ID")));
        cmbStyle->setItemData(cmbStyle->count() - 1, rs->field(QStringLiteral("Price")), kPriceRole);
    }
    rs->close();
    cmbStyle->setCurrentIndex(-1);
}

QVector<OrderLine> LineItemsFrame::lines() const {
    QVector<OrderLine> out;
    for (int row = 1; row < vsfgItems->rows(); ++row) {
        auto cell = [&](int col) { return vsfgItems->textMatrix(row, col); };
        out.append({cell(ItemNumber), cell(Line), cell(Qty), cell(Style), cell(PriceEach), cell(PriceExt), cell(StyleID)});
    }
    return out;
}

double LineItemsFrame::total() const {
    double sum = 0;
    for (int row = 1; row < vsfgItems->rows(); ++row) {
        const QString cell = vsfgItems->textMatrix(row, PriceExt);
        if (!cell.isEmpty()) sum += Values::Val(cell);
    }
    return sum;
}

// Enter moves on from field to field; leaving the quantity or the price works out the
// extended price.
bool LineItemsFrame::eventFilter(QObject *watched, QEvent *event) {
    if (isEnter(event)) {
        QWidget *next = watched == txtLine ? static_cast<QWidget *>(cmbStyle)
                        : watched == cmbStyle ? static_cast<QWidget *>(txtQty)
                        : watched == txtQty   ? static_cast<QWidget *>(txtPriceEach)
                                              : static_cast<QWidget *>(btnSaveItem);
        next->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (event->type() == QEvent::FocusOut && (watched == txtQty || watched == txtPriceEach))
        handler([this] { UpdatePriceExt(); })();
    return QGroupBox::eventFilter(watched, event);
}

void LineItemsFrame::UpdatePriceExt() {
    lblPriceExt->setText(NumberText(Values::Val(txtQty->text()) * Values::Val(txtPriceEach->text())));
}

// A line chosen in the grid is loaded into the fields to be changed.
void LineItemsFrame::vsfgItems_RowColChange() {
    const int row = vsfgItems->row();
    if (row < 1) return;
    lblItem->setText(vsfgItems->textMatrix(row, ItemNumber));
    txtLine->setText(vsfgItems->textMatrix(row, Line));
    txtQty->setText(vsfgItems->textMatrix(row, Qty));
    selectStyle(row);
    txtPriceEach->setText(vsfgItems->textMatrix(row, PriceEach));  // the line's own price wins
    lblPriceExt->setText(vsfgItems->textMatrix(row, PriceExt));
    txtQty->setFocus(Qt::OtherFocusReason);
}

// Selects the line's style. A style no longer offered (made inactive since) is added to
// the list with the line's ID and price, so the line can still be changed and saved.
void LineItemsFrame::selectStyle(int row) {
    const QString style = vsfgItems->textMatrix(row, Style);
    int index = style.isEmpty() ? -1 : cmbStyle->findText(style, Qt::MatchExactly);
    if (index < 0 && !style.isEmpty()) {
        const QSignalBlocker blocker(cmbStyle);
        cmbStyle->addItem(style, vsfgItems->textMatrix(row, StyleID));
        index = cmbStyle->count() - 1;
        cmbStyle->setItemData(index, vsfgItems->textMatrix(row, PriceEach), kPriceRole);
    }
    cmbStyle->setCurrentIndex(index);
}

void LineItemsFrame::cmbStyle_Click() {
    txtPriceEach->setText(CellText(cmbStyle->currentData(kPriceRole)));
}

void LineItemsFrame::btnSaveItem_Click() {
    if (cmbStyle->currentText().isEmpty() || txtQty->text().isEmpty() || txtPriceEach->text().isEmpty()) {
        Seams::messages().tell(QStringLiteral("You must enter a Style, Quantity, and Price before saving."),
                               QStringLiteral("Not Enough Information"));
        return;
    }
    QWidget *next = nullptr;
    if (lblItem->text().isEmpty()) {
        vsfgItems->addItem(lineCells(nextItemNumber()));
        next = txtLine;
    } else {
        const int row = rowOfItem(lblItem->text());
        const QStringList cells = lineCells(lblItem->text());
        for (int col = 0; col < ColumnCount && row >= 1; ++col) vsfgItems->setTextMatrix(row, col, cells[col]);
        next = txtQty;
    }
    fitGrid();
    lblItem->clear();
    txtPriceEach->setText(QString());
    lblPriceExt->setText(QString());
    next->setFocus(Qt::OtherFocusReason);
    emit linesChanged();
}

// 1 for the first line, otherwise one more than the number in the last row.
QString LineItemsFrame::nextItemNumber() const {
    const int last = vsfgItems->rows() - 1;
    if (last < 1) return QStringLiteral("1");
    return NumberText(Values::Val(vsfgItems->textMatrix(last, ItemNumber)) + 1);
}

// The grid cells of the line the fields describe.
QStringList LineItemsFrame::lineCells(const QString &itemNumber) const {
    return {itemNumber,           txtLine->text(),      txtQty->text(),
            cmbStyle->currentText(), txtPriceEach->text(), lblPriceExt->text(),
            CellText(SelectedId(cmbStyle))};
}

int LineItemsFrame::rowOfItem(const QString &itemNumber) const {
    for (int row = 1; row < vsfgItems->rows(); ++row)
        if (vsfgItems->textMatrix(row, ItemNumber) == itemNumber) return row;
    return -1;
}

void LineItemsFrame::btnDeleteItem_Click() {
    const int row = vsfgItems->row();
    if (lblItem->text().isEmpty() || row < 1) return;
    // A shipped line stays: its shipment rows name it by its number.
    if (LineHasShipments(m_orderId, vsfgItems->textMatrix(row, ItemNumber))) {
        Seams::messages().tell(ShippedLineMessage, QStringLiteral("Delete Confirmation"));
        return;
    }
    if (!Seams::messages().ask(QStringLiteral("Are you sure you want to delete Line Item ") + lblItem->text() +
                                   QStringLiteral("?"),
                               QStringLiteral("Delete Confirmation")))
        return;
    vsfgItems->removeItem(row);
    fitGrid();
    lblItem->clear();
    txtLine->clear();
    txtQty->clear();
    txtPriceEach->setText(QString());
    lblPriceExt->setText(QString());
    cmbStyle->setCurrentIndex(-1);
    txtLine->setFocus(Qt::OtherFocusReason);
    emit linesChanged();
}

void LineItemsFrame::fitGrid() { vsfgItems->autoSize(); }
