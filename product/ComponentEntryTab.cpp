#include "product/ComponentEntryTab.h"

#include "app/Database.h"
#include "app/Handler.h"
#include "app/NumberBox.h"
#include "app/Seams.h"
#include "app/Values.h"
#include "app/WidgetHelpers.h"
#include "data/SqlText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QString InvalidTitle = QStringLiteral("Invalid Information");

// An editable combo whose text is exactly what the clerk types: no inline completion
// that would slip another component's ID into the box, and Enter adds nothing to the list.
void makeKeyCombo(QComboBox *combo) {
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
}

// Empties a fixed list, fills it with the given entries and leaves nothing selected.
void fillFixed(QComboBox *combo, const QStringList &entries) {
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItems(entries);
    combo->setCurrentIndex(-1);
}

QString selectedText(const QComboBox *combo) {
    return combo->currentIndex() < 0 ? QString() : combo->currentText();
}

void selectYesNo(QComboBox *combo, const QVariant &flag) {
    // A null flag counts as false, so it shows "No".
    SelectByText(combo, flag.toBool() ? QStringLiteral("Yes") : QStringLiteral("No"));
}

}  // namespace

ComponentEntryTab::ComponentEntryTab(QWidget *parent) : QWidget(parent) {
    auto *intro = new QLabel(
        QStringLiteral("Components will define the parts that make up the style and have operations performed on them."),
        this);
    intro->setWordWrap(true);

    cmbComponentID = new QComboBox(this);
    makeKeyCombo(cmbComponentID);
    txtComponentDescription = new QLineEdit(this);
    txtComponentThickness = new NumberBox(QStringLiteral("#,##0.00"), this);
    txtComponentWidth = new NumberBox(QStringLiteral("#,##0.00"), this);
    txtComponentLength = new NumberBox(QStringLiteral("#,##0.00"), this);
    cmbCutStyle = new QComboBox(this);
    cmbTest = new QComboBox(this);
    txtTestRange = new QLineEdit(this);
    txtComponentTopped = new QLineEdit(this);
    cmbPrintShipping = new QComboBox(this);
    cmbArm = new QComboBox(this);
    cmbTie = new QComboBox(this);
    cmbComponentBun = new QComboBox(this);
    // Number boxes select their whole text on focus, so typing replaces the value.
    txtRailsPerBun = new NumberBox(QStringLiteral("0"), this);
    txtPiecesPerRail = new NumberBox(QStringLiteral("0"), this);
    cmbComponentStatus = new QComboBox(this);
    btnComponentSave = new QPushButton(QStringLiteral("Save"), this);
    btnComponentExit = new QPushButton(QStringLiteral("Exit"), this);

    cmbComponentID->setObjectName(QStringLiteral("cmbComponentID"));
    txtComponentDescription->setObjectName(QStringLiteral("txtComponentDescription"));
    txtComponentThickness->setObjectName(QStringLiteral("txtComponentThickness"));
    txtComponentWidth->setObjectName(QStringLiteral("txtComponentWidth"));
    txtComponentLength->setObjectName(QStringLiteral("txtComponentLength"));
    cmbCutStyle->setObjectName(QStringLiteral("cmbCutStyle"));
    cmbTest->setObjectName(QStringLiteral("cmbTest"));
    txtTestRange->setObjectName(QStringLiteral("txtTestRange"));
    txtComponentTopped->setObjectName(QStringLiteral("txtComponentTopped"));
    cmbPrintShipping->setObjectName(QStringLiteral("cmbPrintShipping"));
    cmbArm->setObjectName(QStringLiteral("cmbArm"));
    cmbTie->setObjectName(QStringLiteral("cmbTie"));
    cmbComponentBun->setObjectName(QStringLiteral("cmbComponentBun"));
    txtRailsPerBun->setObjectName(QStringLiteral("txtRailsPerBun"));
    txtPiecesPerRail->setObjectName(QStringLiteral("txtPiecesPerRail"));
    cmbComponentStatus->setObjectName(QStringLiteral("cmbComponentStatus"));
    btnComponentSave->setObjectName(QStringLiteral("btnComponentSave"));
    btnComponentExit->setObjectName(QStringLiteral("btnComponentExit"));

    // Labels and controls in the order the columns are saved, which is also the tab order.
    const QList<QPair<QString, QWidget *>> rows = {
        {QStringLiteral("ID:"), cmbComponentID},
        {QStringLiteral("Description:"), txtComponentDescription},
        {QStringLiteral("Thickness:"), txtComponentThickness},
        {QStringLiteral("Width:"), txtComponentWidth},
        {QStringLiteral("Length:"), txtComponentLength},
        {QStringLiteral("Cut-style:"), cmbCutStyle},
        {QStringLiteral("Test:"), cmbTest},
        {QStringLiteral("Test Range:"), txtTestRange},
        {QStringLiteral("Topped:"), txtComponentTopped},
        {QStringLiteral("Print on Shipment:"), cmbPrintShipping},
        {QStringLiteral("Arm:"), cmbArm},
        {QStringLiteral("Tie:"), cmbTie},
        {QStringLiteral("Bun ID:"), cmbComponentBun},
        {QStringLiteral("Rails Per Bun:"), txtRailsPerBun},
        {QStringLiteral("Pieces Per Rail/Roll:"), txtPiecesPerRail},
        {QStringLiteral("Status:"), cmbComponentStatus},
    };
    auto *grid = new QGridLayout;
    QWidget *previous = nullptr;
    for (int r = 0; r < rows.size(); ++r) {
        auto *label = new QLabel(rows[r].first, this);
        label->setBuddy(rows[r].second);
        grid->addWidget(label, r, 0);
        grid->addWidget(rows[r].second, r, 1);
        if (previous) setTabOrder(previous, rows[r].second);
        previous = rows[r].second;
    }
    // The boxes keep a working width; the room to their right stays empty.
    grid->setColumnMinimumWidth(1, 260);
    grid->setColumnStretch(2, 1);
    setTabOrder(previous, btnComponentSave);
    setTabOrder(btnComponentSave, btnComponentExit);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnComponentSave);
    buttons->addWidget(btnComponentExit);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(cmbComponentID, &QComboBox::editTextChanged, this, handler([this] { cmbComponentID_Change(); }));
    connect(cmbComponentID, &QComboBox::currentIndexChanged, this, handler([this] { cmbComponentID_Click(); }));
    connect(btnComponentSave, &QPushButton::clicked, this, handler([this] { btnComponentSave_Click(); }));
    connect(btnComponentExit, &QPushButton::clicked, this, [this] { emit exitRequested(); });
}

void ComponentEntryTab::reset() {
    const QStringList yesNo = {QStringLiteral("Yes"), QStringLiteral("No")};
    fillFixed(cmbTest, yesNo);
    fillFixed(cmbPrintShipping, yesNo);
    fillFixed(cmbArm, yesNo);
    fillFixed(cmbTie, yesNo);
    fillFixed(cmbComponentStatus, {QStringLiteral("Active"), QStringLiteral("Inactive")});
    fillFixed(cmbCutStyle, {QStringLiteral("Straight Cut"), QStringLiteral("Pattern Cut")});
    {
        const QSignalBlocker block(cmbComponentBun);
        FillCombo(cmbComponentBun, QStringLiteral("SELECT ID FROM Bun WHERE Status = 'Active' ORDER BY ID"),
                  QStringLiteral("ID"));
        cmbComponentBun->setCurrentIndex(-1);
    }
    {
        const QSignalBlocker block(cmbComponentID);
        FillCombo(cmbComponentID, QStringLiteral("SELECT ID FROM Component ORDER BY ID"), QStringLiteral("ID"));
        cmbComponentID->setCurrentIndex(-1);
        cmbComponentID->setEditText(QString());
    }
    clearTab();
}

void ComponentEntryTab::cmbComponentID_Change() { lookUp(); }

void ComponentEntryTab::cmbComponentID_Click() {
    if (cmbComponentID->currentIndex() < 0) return;
    lookUp();
}

void ComponentEntryTab::clearTab() {
    txtComponentDescription->clear();
    txtComponentThickness->setText(QString());
    txtComponentWidth->setText(QString());
    txtComponentLength->setText(QString());
    txtTestRange->clear();
    txtComponentTopped->clear();
    for (QComboBox *list : {cmbCutStyle, cmbTest, cmbPrintShipping, cmbArm, cmbTie, cmbComponentBun, cmbComponentStatus})
        list->setCurrentIndex(-1);
    txtRailsPerBun->setText(QStringLiteral("0"));
    txtPiecesPerRail->setText(QStringLiteral("0"));
}

void ComponentEntryTab::lookUp() {
    const QString id = cmbComponentID->currentText();
    if (id.isEmpty()) {
        clearTab();
        return;
    }
    auto rs = AppDatabase().openRecordset(QStringLiteral("SELECT * FROM Component WHERE ID = '") +
                                          SqlText::Escaped(id) + QStringLiteral("'"));
    if (rs->eof()) {
        clearTab();  // the ID text stays as typed: this is a new component
    } else {
        txtComponentDescription->setText(BoxText(rs->field(QStringLiteral("Description"))));
        txtComponentThickness->setText(BoxText(rs->field(QStringLiteral("Thickness"))));
        txtComponentWidth->setText(BoxText(rs->field(QStringLiteral("Width"))));
        txtComponentLength->setText(BoxText(rs->field(QStringLiteral("Length"))));
        txtTestRange->setText(BoxText(rs->field(QStringLiteral("TestRange"))));
        txtComponentTopped->setText(BoxText(rs->field(QStringLiteral("Topped"))));
        // A stored cut style, bun or status that is not in its list shows no selection.
        SelectByText(cmbCutStyle, rs->text(QStringLiteral("CutStyle")));
        SelectByText(cmbComponentStatus, rs->text(QStringLiteral("Status")));
        selectYesNo(cmbTest, rs->field(QStringLiteral("Test")));
        selectYesNo(cmbPrintShipping, rs->field(QStringLiteral("PrintOnShipping")));
        selectYesNo(cmbArm, rs->field(QStringLiteral("Arm")));
        selectYesNo(cmbTie, rs->field(QStringLiteral("Tie")));
        const QString bun = rs->text(QStringLiteral("BunID"));
        if (bun.isEmpty())
            cmbComponentBun->setCurrentIndex(-1);
        else
            SelectByText(cmbComponentBun, bun);
        const QVariant rails = rs->field(QStringLiteral("RailsPerBun"));
        const QVariant pieces = rs->field(QStringLiteral("PiecesPerRail"));
        txtRailsPerBun->setText(rails.isNull() ? QStringLiteral("0") : BoxText(rails));
        txtPiecesPerRail->setText(pieces.isNull() ? QStringLiteral("0") : BoxText(pieces));
    }
    rs->close();
}

void ComponentEntryTab::btnComponentSave_Click() {
    const QString id = cmbComponentID->currentText();
    if (id.isEmpty() || txtComponentDescription->text().isEmpty() || cmbCutStyle->currentIndex() < 0 ||
        cmbTest->currentIndex() < 0 || cmbPrintShipping->currentIndex() < 0 || cmbArm->currentIndex() < 0 ||
        cmbComponentStatus->currentIndex() < 0) {
        Seams::messages().tell(
            QStringLiteral("You must enter an ID,Description,Test,Print Info,Arm Info, and Status for the Component."),
            InvalidTitle);
        return;
    }

    // The dimensions are optional: an empty box stores 0. Anything else must be a number,
    // so that a slip of the keyboard never reaches the cutting tickets.
    struct Dimension {
        const char *name;
        NumberBox *box;
        double value = 0;
    };
    Dimension dimensions[] = {{"Thickness", txtComponentThickness},
                              {"Width", txtComponentWidth},
                              {"Length", txtComponentLength}};
    for (Dimension &d : dimensions) {
        const QString text = d.box->text();
        if (text.trimmed().isEmpty()) continue;
        if (!Values::IsNumeric(text)) {
            Seams::messages().tell(QLatin1String(d.name) + QStringLiteral(" must be a number."), InvalidTitle);
            d.box->setFocus();
            return;
        }
        d.value = Values::NumericValue(text);
    }

    auto rs = AppDatabase().openRecordset(QStringLiteral("SELECT * FROM Component WHERE ID = '") +
                                          SqlText::Escaped(id) + QStringLiteral("'"));
    if (rs->eof())
        rs->addNew();
    else
        rs->edit();
    rs->setField(QStringLiteral("ID"), id);
    rs->setField(QStringLiteral("Description"), txtComponentDescription->text());
    rs->setField(QStringLiteral("Thickness"), dimensions[0].value);
    rs->setField(QStringLiteral("Width"), dimensions[1].value);
    rs->setField(QStringLiteral("Length"), dimensions[2].value);
    rs->setField(QStringLiteral("CutStyle"), cmbCutStyle->currentText());
    rs->setField(QStringLiteral("Test"), cmbTest->currentText() == QLatin1String("Yes"));
    rs->setField(QStringLiteral("TestRange"), txtTestRange->text());
    rs->setField(QStringLiteral("Topped"), txtComponentTopped->text());
    rs->setField(QStringLiteral("PrintOnShipping"), cmbPrintShipping->currentText() == QLatin1String("Yes"));
    rs->setField(QStringLiteral("Arm"), cmbArm->currentText() == QLatin1String("Yes"));
    rs->setField(QStringLiteral("Tie"), selectedText(cmbTie) == QLatin1String("Yes"));
    rs->setField(QStringLiteral("BunID"), selectedText(cmbComponentBun));
    rs->setField(QStringLiteral("RailsPerBun"), Values::Val(txtRailsPerBun->text()));
    rs->setField(QStringLiteral("PiecesPerRail"), Values::Val(txtPiecesPerRail->text()));
    rs->setField(QStringLiteral("Status"), cmbComponentStatus->currentText());
    rs->update();
    rs->close();

    clearTab();
    cmbComponentID->setEditText(QString());
    emit changed();
}
