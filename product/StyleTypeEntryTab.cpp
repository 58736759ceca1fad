#include "product/StyleTypeEntryTab.h"

#include "app/Database.h"
#include "app/Handler.h"
#include "app/Seams.h"
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

StyleTypeEntryTab::StyleTypeEntryTab(QWidget *parent) : QWidget(parent) {
    auto *intro = new QLabel(QStringLiteral("Types will define the category of the Style."), this);
    cmbTypeID = new QComboBox(this);
    // The ID text is exactly what the clerk types: no inline completion, no insertion.
    cmbTypeID->setEditable(true);
    cmbTypeID->setInsertPolicy(QComboBox::NoInsert);
    cmbTypeID->setCompleter(nullptr);
    txtTypeDescription = new QLineEdit(this);
    cmbTypeStatus = new QComboBox(this);
    btnTypeSave = new QPushButton(QStringLiteral("Save"), this);
    btnTypeExit = new QPushButton(QStringLiteral("Exit"), this);

    cmbTypeID->setObjectName(QStringLiteral("cmbTypeID"));
    txtTypeDescription->setObjectName(QStringLiteral("txtTypeDescription"));
    cmbTypeStatus->setObjectName(QStringLiteral("cmbTypeStatus"));
    btnTypeSave->setObjectName(QStringLiteral("btnTypeSave"));
    btnTypeExit->setObjectName(QStringLiteral("btnTypeExit"));

    auto *grid = new QGridLayout;
    const QList<QPair<QString, QWidget *>> rows = {
        {QStringLiteral("Type ID:"), cmbTypeID},
        {QStringLiteral("Description:"), txtTypeDescription},
        {QStringLiteral("Status:"), cmbTypeStatus},
    };
    for (int r = 0; r < rows.size(); ++r) {
        auto *label = new QLabel(rows[r].first, this);
        label->setBuddy(rows[r].second);
        grid->addWidget(label, r, 0);
        grid->addWidget(rows[r].second, r, 1);
    }
    // The boxes keep a working width; the room to their right stays empty.
    grid->setColumnMinimumWidth(1, 260);
    grid->setColumnStretch(2, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnTypeSave);
    buttons->addWidget(btnTypeExit);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    setTabOrder(cmbTypeID, txtTypeDescription);
    setTabOrder(txtTypeDescription, cmbTypeStatus);
    setTabOrder(cmbTypeStatus, btnTypeSave);
    setTabOrder(btnTypeSave, btnTypeExit);

    connect(cmbTypeID, &QComboBox::editTextChanged, this, handler([this] { cmbTypeID_Change(); }));
    connect(cmbTypeID, &QComboBox::currentIndexChanged, this, handler([this] { cmbTypeID_Click(); }));
    connect(btnTypeSave, &QPushButton::clicked, this, handler([this] { btnTypeSave_Click(); }));
    connect(btnTypeExit, &QPushButton::clicked, this, [this] { emit exitRequested(); });
}

void StyleTypeEntryTab::reset() {
    txtTypeDescription->clear();
    {
        const QSignalBlocker block(cmbTypeStatus);
        cmbTypeStatus->clear();
        cmbTypeStatus->addItems({QStringLiteral("Active"), QStringLiteral("Inactive")});
        cmbTypeStatus->setCurrentIndex(-1);
    }
    {
        const QSignalBlocker block(cmbTypeID);
        FillCombo(cmbTypeID, QStringLiteral("SELECT ID FROM StyleType ORDER BY ID"), QStringLiteral("ID"));
        cmbTypeID->setCurrentIndex(-1);
        cmbTypeID->setEditText(QString());
    }
}

void StyleTypeEntryTab::cmbTypeID_Change() { lookUp(); }

void StyleTypeEntryTab::cmbTypeID_Click() {
    if (cmbTypeID->currentIndex() < 0) return;
    lookUp();
}

void StyleTypeEntryTab::lookUp() {
    const QString id = cmbTypeID->currentText();
    if (id.isEmpty()) {
        txtTypeDescription->clear();
        cmbTypeStatus->setCurrentIndex(-1);
        return;
    }
    auto rs = AppDatabase().openRecordset(QStringLiteral("SELECT * FROM StyleType WHERE ID = '") +
                                          SqlText::Escaped(id) + QStringLiteral("'"));
    if (rs->eof()) {
        txtTypeDescription->clear();  // a new type: the ID text stays as typed
        cmbTypeStatus->setCurrentIndex(-1);
    } else {
        txtTypeDescription->setText(BoxText(rs->field(QStringLiteral("Description"))));
        SelectByText(cmbTypeStatus, rs->text(QStringLiteral("Status")));  // unknown status: no selection
    }
    rs->close();
}

void StyleTypeEntryTab::btnTypeSave_Click() {
    const QString id = cmbTypeID->currentText();
    if (id.isEmpty() || txtTypeDescription->text().isEmpty() || cmbTypeStatus->currentIndex() < 0) {
        Seams::messages().tell(QStringLiteral("You must enter an ID, Description, and Status for the Type."),
                               QStringLiteral("Invalid Information"));
        return;
    }
    auto rs = AppDatabase().openRecordset(QStringLiteral("SELECT * FROM StyleType WHERE ID = '") +
                                          SqlText::Escaped(id) + QStringLiteral("'"));
    if (rs->eof())
        rs->addNew();
    else
        rs->edit();
    rs->setField(QStringLiteral("ID"), id);
    rs->setField(QStringLiteral("Description"), txtTypeDescription->text());
    rs->setField(QStringLiteral("Status"), cmbTypeStatus->currentText());
    rs->update();
    rs->close();

    cmbTypeID->setEditText(QString());
    txtTypeDescription->clear();
    cmbTypeStatus->setCurrentIndex(-1);
    emit changed();
}
