#pragma once
// The date box of the office windows: a date shown and typed month/day/year, whatever the
// desktop's locale, or picked from a calendar that drops down. Tab moves on to the next
// control, as on every other box of a window; Left and Right move between month, day and
// year.

#include <QDateEdit>

class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget *parent = nullptr);

protected:
    bool focusNextPrevChild(bool next) override;
};
