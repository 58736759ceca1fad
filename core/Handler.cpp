#include "core/Handler.h"

#include "core/Seams.h"

#include <QCoreApplication>

void ReportFailure(const AppError &error) {
    Seams::messages().tell(error.report(), QCoreApplication::applicationName());
}

void ReportFailure(const std::exception &error) {
    ReportFailure(AppError(ErrorNumber::ReservedError, QString::fromUtf8(error.what())));
}
