#pragma once
// The pieces every window is built from: controls carrying their names, rows of a label
// and its control, a row of buttons at the right, the combo of a typed key and the Tab
// order. A window's constructor creates its controls with these and arranges them, so
// that rows, buttons and keys look and behave alike on every window of the plant.

#include <QString>
#include <initializer_list>
#include <utility>

class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace FormLayout {

// A control of the window carrying its name. Further arguments (a caption, a picture
// format) are passed to the control's constructor before the parent:
//   named<QPushButton>(this, "btnSave", QStringLiteral("Save"))
template <class T, class... Args>
T *named(QWidget *parent, const char *name, Args &&...args) {
    auto *control = new T(std::forward<Args>(args)..., parent);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

// One labelled row: the caption, the control it names (the label's buddy) and, where a
// row holds several boxes (city, state and zip), the layout of those boxes, which
// starts with the control.
struct Row {
    QString caption;
    QWidget *control;
    QLayout *boxes = nullptr;
};

// Appends a row below the grid's last row: the caption in the first column, the control
// from the second, spanning `span` columns. Returns the label, a child of the control's
// window.
QLabel *addRow(QGridLayout *grid, const QString &caption, QWidget *control, int span = 1);
// Appends a row of several controls side by side, one a column (thickness, width and
// length); the label names the first.
QLabel *addRow(QGridLayout *grid, const QString &caption, std::initializer_list<QWidget *> controls);
// A new grid of labelled rows in the order given.
QGridLayout *labelledRows(std::initializer_list<Row> rows);
// The boxes of an entry tab keep a working width; the room to their right stays empty.
void keepWorkingWidth(QGridLayout *grid);

// A column of a name-and-address form (customers, vendors): each label is named after
// its control (txtAddress1 -> lblAddress1), a box alone is at least 180 pixels wide, and
// the room below the last row stays empty.
QGridLayout *addressColumn(std::initializer_list<Row> rows);
// City, state and zip on one row: a wide city box and two narrow ones.
QHBoxLayout *cityRow(QLineEdit *city, QLineEdit *state, QLineEdit *zip);

// The buttons in one row at the right.
QHBoxLayout *buttonRow(std::initializer_list<QPushButton *> buttons);
// A page of entry, top to bottom: its explanation (none when null), the form, empty
// room, the buttons. The layout is installed on the page.
QVBoxLayout *entryPage(QWidget *page, QWidget *explanation, QLayout *form, QLayout *buttons);

// An editable combo whose text is exactly what the clerk types (an ID, a name): no
// inline completion slips another entry's text into it, and Enter adds nothing to the
// list.
void makeKeyCombo(QComboBox *combo);

// The Tab key visits the controls in the order given.
void tabOrder(std::initializer_list<QWidget *> controls);

}  // namespace FormLayout
