#pragma once
// Small helpers the windows share.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

class QComboBox;
class QLineEdit;
class QWidget;
class Recordset;

// Selects a text box's whole text whenever it receives the focus, so that typing
// replaces the value.
void SelectAllOnFocus(QLineEdit *box);
void SelectAllOnFocus(std::initializer_list<QLineEdit *> boxes);

// Fills a combo with one column of every row a store's list holds (the list is emptied
// first), and closes the list.
void FillCombo(QComboBox *combo, std::unique_ptr<Recordset> rows, const QString &column);
// Fills a list of fixed entries (a status, yes/no) afresh and leaves nothing selected;
// the list's handlers do not run.
void FillList(QComboBox *combo, const QStringList &entries);
// Adds an entry whose visible text and hidden ID differ (the ID in Qt::UserRole).
void AddItem(QComboBox *combo, const QString &text, const QVariant &id);
// The hidden ID of the selected entry (null when nothing is selected).
QVariant SelectedId(const QComboBox *combo);
// Selects the entry carrying the given ID; unselects when none does.
void SelectById(QComboBox *combo, const QVariant &id);
// Selects the entry whose text equals the given text exactly; unselects when none does.
void SelectByText(QComboBox *combo, const QString &text);
// A stored value as a box shows it: empty for null.
QString BoxText(const QVariant &value);

// From now on, in every window of the application, Enter (and the keypad's Enter) on a
// focused button presses it, as clerks are used to from the desktop. Other controls keep
// their own meaning of Enter, and so do message boxes and dialogs, where Enter presses
// the default button. Installing it again changes nothing.
void EnterPressesButtons();

// From now on, in every window, a text box never takes the character NUL (a pasted
// text may carry one, and no column can store it): it is left out of the box and a
// message names the box by its label. Installing it again changes nothing.
void RefuseNulCharacters();
