#pragma once
// The date picker of the office windows: a date box showing month/day/year, whatever
// the desktop's locale, with a calendar that drops down.

#include <QDateEdit>

class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget *parent = nullptr);
};
