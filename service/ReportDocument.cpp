#include "service/ReportDocument.h"

#include "service/ReportFacts.h"

#include <QBuffer>
#include <QColor>
#include <QLocale>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextTable>
#include <algorithm>
#include <array>

namespace {

// Where letter paper is the custom; A4 everywhere else.
constexpr std::array LetterTerritories{
    QLocale::UnitedStates, QLocale::Canada,    QLocale::Mexico,      QLocale::Belize,
    QLocale::Chile,        QLocale::Colombia,  QLocale::CostaRica,   QLocale::Guatemala,
    QLocale::Nicaragua,    QLocale::Panama,    QLocale::Philippines, QLocale::PuertoRico,
    QLocale::ElSalvador,   QLocale::Venezuela,
};

const QString Title = QStringLiteral("Zintor configuration report");

QTextCharFormat sized(qreal points, bool bold) {
    QTextCharFormat format;
    format.setFontPointSize(points);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    return format;
}

// Writes the report from top to bottom; every text is inserted as plain text, whatever a
// device or the operator put into it.
class Writer {
public:
    explicit Writer(QTextDocument& document) : m_cursor(&document) {}

    void heading(const QString& text, qreal points = 13) {
        block(QTextBlockFormat(), text, sized(points, true), 10);
    }
    void line(const QString& text, bool bold = false) {
        block(QTextBlockFormat(), text, sized(10, bold), 2);
    }
    void table(const QStringList& header, const QList<QStringList>& rows) {
        QTextTableFormat format;
        format.setBorder(1);
        format.setBorderBrush(QColor(160, 160, 160));
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderCollapse(true);
        format.setCellSpacing(0);
        format.setCellPadding(3);
        format.setHeaderRowCount(header.isEmpty() ? 0 : 1);
        const int top = header.isEmpty() ? 0 : 1;
        qsizetype columns = header.size();
        for (const QStringList& row : rows)
            columns = std::max(columns, row.size());
        if (columns == 0)
            return;
        QTextTable* table = m_cursor.insertTable(int(rows.size()) + top, int(columns), format);
        for (int c = 0; c < int(header.size()); ++c)
            table->cellAt(0, c).firstCursorPosition().insertText(header[c], sized(10, true));
        for (int r = 0; r < int(rows.size()); ++r)
            for (int c = 0; c < int(rows[r].size()); ++c)
                table->cellAt(r + top, c)
                    .firstCursorPosition()
                    .insertText(rows[r][c], sized(10, false));
        m_cursor.movePosition(QTextCursor::End);
    }

private:
    void block(QTextBlockFormat format, const QString& text, const QTextCharFormat& chars,
               qreal above) {
        format.setTopMargin(above);
        if (m_started)
            m_cursor.insertBlock(format, chars);
        else
            m_cursor.setBlockFormat(format);
        m_started = true;
        m_cursor.insertText(text, chars);
    }

    QTextCursor m_cursor;
    bool m_started = false;
};

QString orNot(const QString& text, const QString& absent) {
    return text.isEmpty() ? absent : text;
}

} // namespace

ReportDocument::ReportDocument(const ReportFacts& facts, QObject* parent) : QTextDocument(parent) {
    setMetaInformation(QTextDocument::DocumentTitle, Title);
    // No ligatures: "fi" stays two letters, so the PDF's text is found and copied as typed.
    QFont font = defaultFont();
    font.setStyleStrategy(QFont::PreferNoShaping);
    setDefaultFont(font);
    Writer w(*this);
    w.heading(Title, 18);
    w.line(QStringLiteral("Made %1 with Zintor %2")
               .arg(facts.made.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), facts.version));
    w.line(QStringLiteral("Machine or unit: ") +
               orNot(facts.reference, QStringLiteral("(not given)")),
           true);

    w.heading(QStringLiteral("Port"));
    w.table({}, {{QStringLiteral("Port"), facts.port.label},
                 {QStringLiteral("Device"), facts.device},
                 {QStringLiteral("Line settings"), facts.lineSettings},
                 {QStringLiteral("Flow control"), facts.flow}});

    w.heading(QStringLiteral("Listing"));
    w.table({QStringLiteral("Item"), QStringLiteral("Value")}, facts.listing);

    w.heading(QStringLiteral("Position"));
    w.line(orNot(facts.position, QStringLiteral("not given by the encoder")));

    w.heading(QStringLiteral("Zone figures"));
    w.line(QStringLiteral("From NS %1 and NR %2")
               .arg(orNot(facts.ns, QStringLiteral("(empty)")),
                    orNot(facts.nr, QStringLiteral("(empty)"))));
    w.table({}, facts.zones);

    if (const auto& configuration = facts.configuration) {
        w.heading(configuration->applied ? QStringLiteral("Configuration applied")
                                         : QStringLiteral("Configuration compared"));
        w.line(QStringLiteral("Profile: ") + configuration->file);
        w.line(configuration->headline, true);
        w.table({QStringLiteral("Item"), QStringLiteral("Wanted"), QStringLiteral("Found"),
                 QStringLiteral("Result")},
                configuration->rows);
    }
}

QPageLayout ReportDocument::pageLayout(const QLocale& locale) {
    const bool letter = std::find(LetterTerritories.begin(), LetterTerritories.end(),
                                  locale.territory()) != LetterTerritories.end();
    // No margins of the page's own: printing a document keeps 2 cm around its text.
    return QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(), QPageLayout::Millimeter);
}

QByteArray ReportDocument::pdf(const QLocale& locale) {
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QPdfWriter writer(&out);
    writer.setPageLayout(pageLayout(locale));
    writer.setTitle(Title);
    writer.setCreator(QStringLiteral("Zintor"));
    print(&writer); // the painting ends with the document's last bytes written
    return out.data();
}
