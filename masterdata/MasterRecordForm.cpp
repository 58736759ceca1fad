#include "masterdata/MasterRecordForm.h"

#include "data/Database.h"
#include "widgets/FormLayout.h"
#include "core/Seams.h"
#include "widgets/WidgetHelpers.h"
#include "data/SqlText.h"

#include <QComboBox>
#include <QLineEdit>
#include <memory>

const QString MasterRecordForm::Active = QStringLiteral("Active");
const QString MasterRecordForm::InActive = QStringLiteral("InActive");

MasterRecordForm::MasterRecordForm(QString keyColumn, QString listSql, QString lookupSql,
                                   QComboBox *nameCombo, QComboBox *statusCombo)
    : m_keyColumn(std::move(keyColumn)),
      m_listSql(std::move(listSql)),
      m_lookupSql(std::move(lookupSql)),
      m_name(nameCombo),
      m_status(statusCombo) {
    // The name is typed freely or picked; it is never completed from the list (a
    // completion would also rewrite the letter case the clerk typed) and a typed name
    // is not added to the list.
    FormLayout::makeKeyCombo(m_name);
    m_status->setEditable(false);
}

void MasterRecordForm::addColumns(std::initializer_list<QWidget *> controls) {
    for (QWidget *control : controls) m_columns.append({control->objectName().mid(3), control});
}

void MasterRecordForm::load() {
    FillList(m_status, {Active, InActive});

    // Every stored name, whatever its status; the name itself starts empty.
    FillCombo(m_name, m_listSql, m_keyColumn);
}

void MasterRecordForm::lookUp() {
    const QString typed = name();
    if (typed.isEmpty()) return;

    std::unique_ptr<Recordset> rs =
        AppDatabase().openRecordset(m_lookupSql + SqlText::Escaped(typed) + QStringLiteral("'"));
    const bool found = !rs->eof();
    for (const Column &column : m_columns) {
        if (auto *box = qobject_cast<QLineEdit *>(column.control)) {
            // A stored null or empty value shows as an empty box.
            box->setText(found ? BoxText(rs->field(column.name)) : QString());
        } else if (column.control == m_status) {
            if (found)
                showStatus(rs->text(column.name));
            else
                m_status->setCurrentIndex(m_status->findText(Active));
        }
    }
    rs->close();
}

bool MasterRecordForm::save(const QString &requiredMessage) {
    const QString typed = name();
    if (typed.isEmpty() || status().isEmpty()) {
        Seams::messages().tell(requiredMessage, QStringLiteral("Required Fields"));
        return false;
    }

    std::unique_ptr<Recordset> rs =
        AppDatabase().openRecordset(m_lookupSql + SqlText::Escaped(typed) + QStringLiteral("'"));
    if (rs->eof()) {
        rs->addNew();
        rs->setField(QStringLiteral("DateAdded"), Seams::clock().now());
    } else {
        rs->edit();  // the row keeps the date it was added on
    }
    for (const Column &column : m_columns) {
        QString value;
        if (auto *box = qobject_cast<QLineEdit *>(column.control))
            value = box->text();
        else if (auto *combo = qobject_cast<QComboBox *>(column.control))
            value = combo->currentText();
        rs->setField(column.name, value);
    }
    rs->update();
    rs->close();
    return true;
}

QString MasterRecordForm::name() const { return m_name->currentText(); }

QString MasterRecordForm::status() const {
    return m_status->currentIndex() < 0 ? QString() : m_status->currentText();
}

void MasterRecordForm::showStatus(const QString &stored) {
    // The list holds only "Active" and "InActive"; a stored status is matched without
    // regard to case, and an empty or unknown one leaves no status selected.
    m_status->setCurrentIndex(stored.isEmpty() ? -1 : m_status->findText(stored, Qt::MatchFixedString));
}
