#pragma once

#include <QTextDocument>

class QLocale;
class QPageLayout;
struct ReportFacts;

// The configuration report as a document of real text: headings, paragraphs and tables
// that print on any paged device and read back from the PDF as they stand.
class ReportDocument : public QTextDocument {
    Q_OBJECT
public:
    explicit ReportDocument(const ReportFacts& facts, QObject* parent = nullptr);

    // The page where the locale's custom is: US Letter in the countries that use it, A4
    // everywhere else.
    static QPageLayout pageLayout(const QLocale& locale);

    // The report as PDF on the locale's paper, whole, for the file writer.
    QByteArray pdf(const QLocale& locale);
};
