#include "receivables/DatePicker.h"

DatePicker::DatePicker(QWidget *parent) : QDateEdit(parent) {
    setDisplayFormat(QStringLiteral("M/d/yyyy"));
    setCalendarPopup(true);
}
