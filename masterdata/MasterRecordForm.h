#pragma once
// What the customer and vendor windows have in common: one row of a table whose key is
// a name typed by the clerk, shown in text boxes and a status list. The name is looked
// up while it is typed or picked; a stored row fills the boxes, an unknown name gives an
// empty form with the status "Active"; saving appends or edits that one row with a
// single update. Each window keeps its own controls, texts and handlers and hands them
// to this class in the order the columns are written.

#include "masterdata/MasterStore.h"

#include <QString>
#include <QVector>
#include <initializer_list>

class QComboBox;
class QWidget;

class MasterRecordForm {
public:
    // `table` is the store's description of the customer or vendor table. The name combo is made an editable list without completion and without
    // inserting typed names; the status list receives "Active" and "InActive".
    MasterRecordForm(const MasterTable &table, QComboBox *nameCombo, QComboBox *statusCombo);

    // The columns written on save, in this order, each taken from a text box, the name
    // combo or the status list. Every control holds the column it is named after,
    // without its three-letter prefix (txtAddress1 holds Address1, cmbStatus Status).
    void addColumns(std::initializer_list<QWidget *> controls);

    // Opening: the status entries, then every stored name in name order. The name
    // starts empty and no status is selected.
    void load();

    // Looks the typed or picked name up and fills the form (an empty name changes
    // nothing, so the boxes keep what they show).
    void lookUp();

    // Saves the row under the typed name. Without a name or a status, shows
    // requiredMessage under "Required Fields", writes nothing and returns false.
    bool save(const QString &requiredMessage);

    static const QString Active;
    static const QString InActive;

private:
    struct Column {
        QString name;
        QWidget *control;
    };
    QString name() const;
    QString status() const;
    void showStatus(const QString &stored);

    const MasterTable &m_table;
    QComboBox *m_name;
    QComboBox *m_status;
    QVector<Column> m_columns;
};
