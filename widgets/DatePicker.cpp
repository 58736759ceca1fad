#include "widgets/DatePicker.h"

DatePicker::DatePicker(QWidget *parent) : QDateEdit(parent) {
    setDisplayFormat(QStringLiteral("M/d/yyyy"));
    setCalendarPopup(true);
}

// A date box would step Tab through its month, day and year first.
bool DatePicker::focusNextPrevChild(bool next) { return QWidget::focusNextPrevChild(next); }
