#include "product/BunEntryTab.h"

#include "app/Database.h"
#include "app/Handler.h"
#include "app/NumberBox.h"
#include "app/Seams.h"
#include "app/Values.h"
#include "app/WidgetHelpers.h"
#include "data/SqlText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

// Width and length never block a save: a text that is not a number stores 0.
double sizeValue(const QString &text) { return Values::IsNumeric(text) ? Values::NumericValue(text) : 0.0; }

}  // namespace

BunEntryTab::BunEntryTab(QWidget *parent) : QWidget(parent) {
    cmbBunID = new QComboBox(this);
    // The ID text is exactly what the clerk types: no inline completion, no insertion.
    cmbBunID->setEditable(true);
    cmbBunID->setInsertPolicy(QComboBox::NoInsert);
    cmbBunID->setCompleter(nullptr);
    chkOffAll = new QCheckBox(QStringLiteral("\"Off All\""), this);
    txtBunWidth = new NumberBox(QStringLiteral("#,##0.00"), this);
    txtBunLength = new NumberBox(QStringLiteral("#,##0.00"), this);
    txtBunGrade = new QLineEdit(this);
    cmbBunVendor = new QComboBox(this);
    cmbBunStatus = new QComboBox(this);
    btnBunSave = new QPushButton(QStringLiteral("Save"), this);
    btnBunExit = new QPushButton(QStringLiteral("Exit"), this);

    cmbBunID->setObjectName(QStringLiteral("cmbBunID"));
    chkOffAll->setObjectName(QStringLiteral("chkOffAll"));
    txtBunWidth->setObjectName(QStringLiteral("txtBunWidth"));
    txtBunLength->setObjectName(QStringLiteral("txtBunLength"));
    txtBunGrade->setObjectName(QStringLiteral("txtBunGrade"));
    cmbBunVendor->setObjectName(QStringLiteral("cmbBunVendor"));
    cmbBunStatus->setObjectName(QStringLiteral("cmbBunStatus"));
    btnBunSave->setObjectName(QStringLiteral("btnBunSave"));
    btnBunExit->setObjectName(QStringLiteral("btnBunExit"));

    auto *grid = new QGridLayout;
    auto addRow = [&](int row, const QString &caption, QWidget *control) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(control);
        grid->addWidget(label, row, 0);
        grid->addWidget(control, row, 1);
    };
    addRow(0, QStringLiteral("Bun ID:"), cmbBunID);
    grid->addWidget(chkOffAll, 1, 1);
    addRow(2, QStringLiteral("Width:"), txtBunWidth);
    addRow(3, QStringLiteral("Length:"), txtBunLength);
    addRow(4, QStringLiteral("Grade:"), txtBunGrade);
    addRow(5, QStringLiteral("Vendor:"), cmbBunVendor);
    addRow(6, QStringLiteral("Status:"), cmbBunStatus);
    grid->addWidget(new QLabel(this), 7, 1);  // the tab's label without text
    // The boxes keep a working width; the room to their right stays empty.
    grid->setColumnMinimumWidth(1, 260);
    grid->setColumnStretch(2, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnBunSave);
    buttons->addWidget(btnBunExit);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    setTabOrder(cmbBunID, chkOffAll);
    setTabOrder(chkOffAll, txtBunWidth);
    setTabOrder(txtBunWidth, txtBunLength);
    setTabOrder(txtBunLength, txtBunGrade);
    setTabOrder(txtBunGrade, cmbBunVendor);
    setTabOrder(cmbBunVendor, cmbBunStatus);
    setTabOrder(cmbBunStatus, btnBunSave);
    setTabOrder(btnBunSave, btnBunExit);

    connect(cmbBunID, &QComboBox::editTextChanged, this, handler([this] { cmbBunID_Change(); }));
    connect(cmbBunID, &QComboBox::currentIndexChanged, this, handler([this] { cmbBunID_Click(); }));
    connect(btnBunSave, &QPushButton::clicked, this, handler([this] { btnBunSave_Click(); }));
    connect(btnBunExit, &QPushButton::clicked, this, [this] { emit exitRequested(); });
}

void BunEntryTab::reset() {
    {
        const QSignalBlocker block(cmbBunStatus);
        cmbBunStatus->clear();
        cmbBunStatus->addItems({QStringLiteral("Active"), QStringLiteral("Inactive")});
    }
    {
        const QSignalBlocker block(cmbBunID);
        FillCombo(cmbBunID, QStringLiteral("SELECT ID FROM Bun ORDER BY ID"), QStringLiteral("ID"));
        cmbBunID->setCurrentIndex(-1);
        cmbBunID->setEditText(QString());
    }
    {
        const QSignalBlocker block(cmbBunVendor);
        FillCombo(cmbBunVendor, QStringLiteral("SELECT Vendor FROM Vendor ORDER BY Vendor"), QStringLiteral("Vendor"));
    }
    // The ID text is empty, so the tab shows what an empty lookup shows.
    clearTab();
}

void BunEntryTab::cmbBunID_Change() { lookUp(); }

void BunEntryTab::cmbBunID_Click() {
    if (cmbBunID->currentIndex() < 0) return;
    lookUp();
}

void BunEntryTab::clearTab() {
    chkOffAll->setChecked(false);
    txtBunWidth->setText(QString());
    txtBunLength->setText(QString());
    txtBunGrade->clear();
    cmbBunVendor->setCurrentIndex(-1);
    cmbBunStatus->setCurrentIndex(-1);
}

void BunEntryTab::lookUp() {
    const QString id = cmbBunID->currentText();
    if (id.isEmpty()) {
        clearTab();
        return;
    }
    auto rs = AppDatabase().openRecordset(QStringLiteral("SELECT * FROM Bun WHERE ID = '") + SqlText::Escaped(id) +
                                          QStringLiteral("'"));
    if (rs->eof()) {
        clearTab();  // a new bun: the ID text stays as typed
    } else {
        chkOffAll->setChecked(rs->field(QStringLiteral("OffAll")).toBool());
        txtBunWidth->setText(BoxText(rs->field(QStringLiteral("Width"))));
        txtBunLength->setText(BoxText(rs->field(QStringLiteral("Length"))));
        txtBunGrade->setText(BoxText(rs->field(QStringLiteral("Grade"))));
        // A vendor or status no longer in its list shows no selection.
        const QString vendor = rs->text(QStringLiteral("Vendor"));
        if (vendor.isEmpty())
            cmbBunVendor->setCurrentIndex(-1);
        else
            SelectByText(cmbBunVendor, vendor);
        SelectByText(cmbBunStatus, rs->text(QStringLiteral("Status")));
    }
    rs->close();
}

void BunEntryTab::btnBunSave_Click() {
    const QString id = cmbBunID->currentText();
    if (id.isEmpty() || cmbBunStatus->currentIndex() < 0) {
        Seams::messages().tell(QStringLiteral("You must enter an ID and Status for the Bun."),
                               QStringLiteral("Invalid Information"));
        return;
    }
    auto rs = AppDatabase().openRecordset(QStringLiteral("SELECT * FROM Bun WHERE ID = '") + SqlText::Escaped(id) +
                                          QStringLiteral("'"));
    if (rs->eof())
        rs->addNew();
    else
        rs->edit();
    rs->setField(QStringLiteral("ID"), id);
    rs->setField(QStringLiteral("OffAll"), chkOffAll->isChecked());
    rs->setField(QStringLiteral("Width"), sizeValue(txtBunWidth->text()));
    rs->setField(QStringLiteral("Length"), sizeValue(txtBunLength->text()));
    rs->setField(QStringLiteral("Grade"), txtBunGrade->text());
    rs->setField(QStringLiteral("Vendor"), cmbBunVendor->currentIndex() < 0 ? QString() : cmbBunVendor->currentText());
    rs->setField(QStringLiteral("Status"), cmbBunStatus->currentText());
    rs->update();
    rs->close();

    cmbBunID->setEditText(QString());  // runs the lookup, which clears the tab
    clearTab();
    emit changed();
}
