#pragma once
// The date boxes of the shipping windows: a date shown and typed month/day/year or
// picked from a calendar. Tab moves on to the next control, as on every other box of
// the window; Left and Right move between month, day and year.

#include <QDateEdit>

class ShippingDatePicker : public QDateEdit {
public:
    explicit ShippingDatePicker(QWidget *parent = nullptr) : QDateEdit(parent) {
        setCalendarPopup(true);
        setDisplayFormat(QStringLiteral("M/d/yyyy"));
    }

protected:
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
};
