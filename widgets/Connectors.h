#pragma once
// Connectors that wire the usual events of buttons and combos through the handler
// wrapper, so a failure is reported and the window carries on:
//
//   onClick(btnSave, this, [this] { btnSave_Click(); });
//   onPick(cmbCustomer, this, [this] { cmbCustomer_Click(); });
//   onEdit(cmbCustomer, this, [this] { cmbCustomer_Change(); });
#include "core/Handler.h"

#include <QAbstractButton>
#include <QComboBox>

// A click on the button (by mouse, Space or its shortcut) runs f.
template <class F>
void onClick(QAbstractButton *button, QObject *context, F f) {
    QObject::connect(button, &QAbstractButton::clicked, context, handler(std::move(f)));
}

// An entry of the list selected, by the clerk or by the window, runs f. The list
// emptied or left without a selection (index -1) runs nothing.
template <class F>
void onPick(QComboBox *combo, QObject *context, F f) {
    QObject::connect(combo, &QComboBox::currentIndexChanged, context,
                     [run = handler(std::move(f))](int index) {
                         if (index >= 0) run();
                     });
}

// Every edit of an editable combo's text (each key typed, a pick, a text set by the
// window) runs f.
template <class F>
void onEdit(QComboBox *combo, QObject *context, F f) {
    QObject::connect(combo, &QComboBox::editTextChanged, context, handler(std::move(f)));
}
