#pragma once
// A report template as read from its XML file (reports/templates/README.md describes
// the format): page set-up, groups, bands of cells, named formulas and subreports.
// Sizes and positions are kept in millimetres, as written in the file.

#include "data/RowSet.h"
#include "reports/Document.h"
#include "reports/Formula.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

class ReportTemplate;

enum class SectionKind { ReportHeader, PageHeader, ColumnHeader, GroupHeader, Detail, GroupFooter, ReportFooter, PageFooter };

struct ReportObject {
    enum Kind { Text, Field, Line, Box, Subreport };
    Kind kind = Text;
    QString name;
    double x = 0, y = 0, width = 0, height = 0;  // mm; a line runs from (x, y) to (x2, y2)
    double x2 = 0, y2 = 0;
    DocumentFont font;
    int alignment = 0x0001;  // Qt::AlignLeft
    bool canGrow = false;
    QString text;                    // Text: its text
    Formula::Expression expression;  // Field: the field or formula it shows
    QString format;                  // picture for numbers, date format, "Y;N" for yes/no
    double lineWidth = 0.5;          // points
    bool filled = false;
    std::shared_ptr<ReportTemplate> subreport;  // Subreport: its own template
};

struct ReportSection {
    SectionKind kind = SectionKind::Detail;
    QString name;
    int group = -1;      // group headers and footers: the group's index
    double height = 0;   // mm
    QVector<ReportObject> objects;
};

struct ReportGroup {
    QString name;
    Formula::Expression key;
};

struct NamedFormula {
    QString name;
    Formula::Expression expression;
};

struct PageSetup {
    QString size = QStringLiteral("Letter");  // Letter, Legal or A4
    bool landscape = false;
    double left = 12.7, right = 12.7, top = 12.7, bottom = 12.7;  // margins, mm
    QSizeF sizePoints() const;  // as oriented
};

class ReportTemplate {
public:
    // The template of that name from the application's resources; a name that does not
    // exist throws AppError(ReportError) naming it.
    static std::shared_ptr<ReportTemplate> load(const QString &name);
    // A template from XML text; source names it in error messages.
    static std::shared_ptr<ReportTemplate> parse(const QByteArray &xml, const QString &source);
    // The names of every template among the resources, sorted.
    static QStringList available();

    QString name;
    PageSetup page;
    DocumentFont font;
    QVector<ReportGroup> groups;
    QVector<ReportSection> sections;
    QVector<NamedFormula> formulas;

    int groupIndex(const QString &name) const;  // -1 when none
    const NamedFormula *formula(const QString &name) const;
    // A text object (a <text> cell) by name, searched in this template only.
    const ReportObject *textObject(const QString &name) const;
    // A subreport object by name, searched in this template only.
    const ReportObject *subreportObject(const QString &name) const;
    bool hasSectionOrObject(const QString &name) const;

    // The field names the template reads (cells, formulas, group keys) that the columns
    // do not have; subreports are checked against their own rows separately.
    QStringList unknownFields(const QVector<RowSetColumn> &columns) const;
    // Every field name the template reads, subreports excluded.
    QStringList fieldNames() const;
};
