#include "reports/BuilderSupport.h"

#include "data/Database.h"
#include "core/Seams.h"

ReportJob OpenReport(const QString &templateName, const QString &sql) {
    ReportJob job;
    auto rows = AppDatabase().openRecordset(sql, RecordsetType::ForwardOnly);
    job.report = Report::create(templateName);
    job.report->bind(rows->rowSet());
    rows->close();
    job.report->discardSavedData();
    job.report->readRecords();
    return job;
}

void PreviewQuery(const QString &templateName, const QString &sql, const ReportTexts &texts) {
    BusyCursor busy;
    ReportJob job = OpenReport(templateName, sql);
    for (const auto &[name, text] : texts) job.report->setText(name, text);
    job.report->preview();
}

void PrintQuery(const QString &templateName, const QString &sql, const ReportTexts &texts) {
    BusyCursor busy;
    ReportJob job = OpenReport(templateName, sql);
    for (const auto &[name, text] : texts) job.report->setText(name, text);
    job.report->printOut();
}
