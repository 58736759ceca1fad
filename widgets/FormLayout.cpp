#include "widgets/FormLayout.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace FormLayout {

namespace {

QLabel *rowLabel(const QString &caption, QWidget *control) {
    auto *label = new QLabel(caption, control->parentWidget());
    label->setBuddy(control);
    return label;
}

}  // namespace

QLabel *addRow(QGridLayout *grid, const QString &caption, QWidget *control, int span) {
    const int row = grid->rowCount();
    QLabel *label = rowLabel(caption, control);
    grid->addWidget(label, row, 0);
    grid->addWidget(control, row, 1, 1, span);
    return label;
}

QLabel *addRow(QGridLayout *grid, const QString &caption, std::initializer_list<QWidget *> controls) {
    const int row = grid->rowCount();
    QLabel *label = rowLabel(caption, *controls.begin());
    grid->addWidget(label, row, 0);
    int column = 1;
    for (QWidget *control : controls) grid->addWidget(control, row, column++);
    return label;
}

QGridLayout *labelledRows(std::initializer_list<Row> rows) {
    auto *grid = new QGridLayout;
    for (const Row &row : rows) addRow(grid, row.caption, row.control);
    return grid;
}

void keepWorkingWidth(QGridLayout *grid) {
    grid->setColumnMinimumWidth(1, 260);
    grid->setColumnStretch(2, 1);
}

QGridLayout *addressColumn(std::initializer_list<Row> rows) {
    auto *grid = new QGridLayout;
    for (const Row &row : rows) {
        const int at = grid->rowCount();
        QLabel *label = rowLabel(row.caption, row.control);
        label->setObjectName(QStringLiteral("lbl") + row.control->objectName().mid(3));
        grid->addWidget(label, at, 0);
        if (row.boxes) {
            grid->addLayout(row.boxes, at, 1);
        } else {
            row.control->setMinimumWidth(180);
            grid->addWidget(row.control, at, 1);
        }
    }
    grid->setRowStretch(grid->rowCount(), 1);
    return grid;
}

QHBoxLayout *cityRow(QLineEdit *city, QLineEdit *state, QLineEdit *zip) {
    city->setMinimumWidth(90);
    state->setFixedWidth(36);
    zip->setFixedWidth(70);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(city, 1);
    row->addWidget(state);
    row->addWidget(zip);
    return row;
}

QHBoxLayout *buttonRow(std::initializer_list<QPushButton *> buttons) {
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton *button : buttons) row->addWidget(button);
    return row;
}

QVBoxLayout *entryPage(QWidget *page, QWidget *explanation, QLayout *form, QLayout *buttons) {
    auto *column = new QVBoxLayout(page);
    if (explanation) column->addWidget(explanation);
    column->addLayout(form);
    column->addStretch();
    column->addLayout(buttons);
    return column;
}

void makeKeyCombo(QComboBox *combo) {
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
}

void tabOrder(std::initializer_list<QWidget *> controls) {
    QWidget *previous = nullptr;
    for (QWidget *control : controls) {
        if (previous) QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

}  // namespace FormLayout
