#include "masterdata/MasterRecordForm.h"

#include "data/Recordset.h"
#include "masterdata/MasterStore.h"
#include "widgets/FormLayout.h"
#include "core/Seams.h"
#include "widgets/WidgetHelpers.h"

#include <QComboBox>
#include <QLineEdit>
#include <memory>

const QString MasterRecordForm::Active = QStringLiteral("Active");
const QString MasterRecordForm::InActive = QStringLiteral("InActive");

MasterRecordForm::MasterRecordForm(const MasterTable &table, QComboBox *nameCombo, QComboBox *statusCombo)
    : m_table(table),
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
    FillCombo(m_name, MasterStore::List(m_table), m_table.keyColumn);
}

void MasterRecordForm::lookUp() {
    const QString typed = name();
    if (typed.isEmpty()) return;

    std::unique_ptr<Recordset> rs = MasterStore::FindRow(m_table, typed);
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

    QVector<QPair<QString, QString>> values;
    for (const Column &column : m_columns) {
        QString value;
        if (auto *box = qobject_cast<QLineEdit *>(column.control))
            value = box->text();
        else if (auto *combo = qobject_cast<QComboBox *>(column.control))
            value = combo->currentText();
        values.append({column.name, value});
    }
    MasterStore::SaveRow(m_table, typed, values);
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
