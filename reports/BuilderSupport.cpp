#include "reports/BuilderSupport.h"

#include "data/Database.h"
#include "core/Seams.h"

namespace {
bool g_streamed = true;
}  // namespace

void SetRowsStreamed(bool streamed) { g_streamed = streamed; }
bool RowsStreamed() { return g_streamed; }

ReportJob OpenReport(const QString &templateName, std::shared_ptr<RowStream> rows) {
    ReportJob job;
    job.report = Report::create(templateName);
    job.report->bind(std::move(rows));
    job.report->discardSavedData();
    job.report->readRecords();
    return job;
}

ReportJob OpenReport(const QString &templateName, const QString &sql) {
    auto rows = AppDatabase().openRecordset(sql, RecordsetType::ForwardOnly);
    if (g_streamed) return OpenReport(templateName, std::make_shared<RowStream>(std::move(rows)));
    ReportJob job;
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
