#include "cli/Report.h"

#include "service/VisibleText.h"

#include <QJsonArray>

namespace Report {

namespace {

QString padded(const QStringList& cells, const QList<qsizetype>& widths) {
    QString line = QStringLiteral("  ");
    for (qsizetype i = 0; i < cells.size(); ++i)
        line += i + 1 < cells.size() ? cells[i].leftJustified(widths[i] + 2) : cells[i];
    return line.trimmed().isEmpty() ? QString() : line + u'\n';
}

QString table(Options::Operation operation, const PortOutcome& outcome) {
    QString text =
        QStringLiteral("%1: exit %2").arg(VisibleText::of(outcome.port.label)).arg(outcome.status);
    text += outcome.failure.isEmpty()
                ? QStringLiteral("\n")
                : QStringLiteral(": ") + VisibleText::of(outcome.failure) + u'\n';
    if (outcome.rows.isEmpty()) {
        // Stopped, failed or refused the listing before the read-back: the encoder may hold
        // part of the profile.
        if (operation == Options::Operation::Apply)
            text += QStringLiteral("  ") + outcome.writtenSoFar() + u'\n';
        return text;
    }
    QList<QStringList> lines{{"item", "wanted", "found", "verdict"}};
    for (const ItemRow& row : outcome.rows) // the verdict quotes what it quotes escaped
        lines << QStringList{VisibleText::of(row.item), VisibleText::of(row.wanted),
                             VisibleText::of(row.found), row.verdict};
    QList<qsizetype> widths(4, 0);
    for (const QStringList& cells : std::as_const(lines))
        for (qsizetype i = 0; i < 4; ++i)
            widths[i] = qMax(widths[i], cells[i].size());
    for (const QStringList& cells : std::as_const(lines))
        text += padded(cells, widths);
    return text;
}

QString done(Options::Operation operation) {
    switch (operation) {
    case Options::Operation::Send:
        return QStringLiteral("acknowledged every command");
    case Options::Operation::Pos:
        return QStringLiteral("reported their position");
    case Options::Operation::Read:
        return QStringLiteral("read");
    case Options::Operation::Apply:
        return QStringLiteral("programmed and verified");
    case Options::Operation::Verify:
        return QStringLiteral("verified");
    case Options::Operation::Find:
        return QStringLiteral("found");
    }
    return {};
}

QJsonObject exchange(const Exchanged& e) {
    QJsonObject o{{"sent", e.sent},
                  {"echo", e.echo},
                  {"reply", e.reply},
                  {"status", e.status},
                  {"acknowledged", e.acknowledged}};
    if (e.wantsPosition)
        o.insert("position", e.position);
    return o;
}

QJsonObject port(const PortOutcome& outcome) {
    QJsonArray items, exchanges;
    for (const ItemRow& row : outcome.rows)
        items << QJsonObject{{"item", row.item},
                             {"wanted", row.wanted},
                             {"found", row.found},
                             {"verdict", row.verdict}};
    for (const Exchanged& e : outcome.exchanges)
        exchanges << exchange(e);
    QJsonObject o{{"port", outcome.port.label},
                  {"status", outcome.status},
                  {"problems", QJsonArray::fromStringList(outcome.problems)},
                  {"items", items},
                  {"written", QJsonArray::fromStringList(outcome.written)},
                  {"exchanges", exchanges},
                  {"position", outcome.position}};
    if (!outcome.failure.isEmpty())
        o.insert("failure", outcome.failure);
    if (!outcome.profile.isEmpty())
        o.insert("profile", outcome.profile);
    return o;
}

} // namespace

QString tables(Options::Operation operation, const QList<PortOutcome>& outcomes) {
    QStringList parts;
    for (const PortOutcome& outcome : outcomes)
        parts << table(operation, outcome);
    return parts.join(u'\n');
}

QString summary(Options::Operation operation, const QList<PortOutcome>& outcomes) {
    qsizetype good = 0;
    QStringList problems;
    for (const PortOutcome& outcome : outcomes) {
        if (outcome.status == ExitStatus::Done)
            ++good;
        else
            problems << VisibleText::of(outcome.port.label) + QStringLiteral(": ") +
                            outcome.problems.join(QStringLiteral(", "));
    }
    QString line =
        QStringLiteral("%1 of %2 encoders %3").arg(good).arg(outcomes.size()).arg(done(operation));
    if (!problems.isEmpty())
        line += QStringLiteral("; ") + problems.join(QStringLiteral("; "));
    return line;
}

QJsonObject json(Options::Operation operation, const QList<PortOutcome>& outcomes, int status) {
    QJsonArray ports;
    for (const PortOutcome& outcome : outcomes)
        ports << port(outcome);
    return {{"operation", Options::operationName(operation)},
            {"status", status},
            {"summary", summary(operation, outcomes)},
            {"ports", ports}};
}

} // namespace Report
