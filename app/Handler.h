#pragma once
// The one wrapper through which every event handler of a window is connected. It runs
// the handler, catches any failure, reports it as "number: description" and returns to
// the window, so an exception never crosses Qt's signal machinery.
//
//   connect(btnSave, &QPushButton::clicked, this, handler([this] { btnSave_Click(); }));
//
// The connectors below wire the usual events of buttons and combos through it:
//
//   onClick(btnSave, this, [this] { btnSave_Click(); });
//   onPick(cmbCustomer, this, [this] { cmbCustomer_Click(); });
//   onEdit(cmbCustomer, this, [this] { cmbCustomer_Change(); });

#include "app/AppError.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QString>
#include <exception>
#include <utility>

// Reports a failure caught by a handler through the message-box seam.
void ReportFailure(const AppError &error);
void ReportFailure(const std::exception &error);

template <class F>
auto handler(F f) {
    return [f = std::move(f)](auto &&...) {
        try {
            f();
        } catch (const AppError &e) {
            ReportFailure(e);
        } catch (const std::exception &e) {
            ReportFailure(e);
        }
    };
}

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
