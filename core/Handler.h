#pragma once
// The one wrapper through which every event handler of a window is connected. It runs
// the handler, catches any failure, reports it as "number: description" and returns to
// the window, so an exception never crosses Qt's signal machinery.
//
//   connect(btnSave, &QPushButton::clicked, this, handler([this] { btnSave_Click(); }));
//
// widgets/Connectors.h wires the usual events of buttons and combos through it.

#include "core/AppError.h"

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
