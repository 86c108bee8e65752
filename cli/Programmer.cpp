#include "cli/Programmer.h"

#include "cli/PortOutcome.h"
#include "cli/Session.h"
#include "link/Catalogue.h"
#include "platform/PortMap.h"

#include <QDateTime>
#include <algorithm>

Programmer::Programmer(Session& session, const std::atomic_bool& stop)
    : m_session(session), m_stop(stop) {}

QString Programmer::refusal(const Exchanged& reply) {
    if (reply.status == u"none")
        return QStringLiteral("not answered");
    if (reply.status == u"other")
        return QStringLiteral("answered \"%1\"").arg(reply.reply.trimmed());
    return QStringLiteral("refused (%1)").arg(reply.status);
}

void Programmer::read() {
    const std::optional<Profile> found = readBack();
    if (!found)
        return;
    PortOutcome& outcome = m_session.outcome;
    for (const Profile::Item& item : found->items)
        outcome.rows << ItemRow{item.name, {}, item.value, {}};
    for (const Profile::Item& item : found->unknown)
        outcome.rows << ItemRow{item.name, {}, item.value, QStringLiteral("unknown, kept")};
    const PortRef& port = outcome.port;
    outcome.profile = found->text({
        QStringLiteral("zintor-cli " ZINTOR_RELEASE " profile"),
        QStringLiteral("read %1 from %2 (%3)")
            .arg(QDateTime::currentDateTime().toString(Qt::ISODate), port.label,
                 PortMap::devicePath(port.number)),
        QStringLiteral("position %1").arg(outcome.position),
    });
}

void Programmer::apply(const Profile& profile) {
    PortOutcome& outcome = m_session.outcome;
    QHash<QString, QString> refused;
    for (const Profile::Item& item : inButtonOrder(profile.items)) {
        const Catalogue::Command* command = Catalogue::writer(item.name, item.value);
        if (!command)
            continue; // read-only: recorded, never sent
        if (m_stop) {
            outcome.raise(ExitStatus::Stopped,
                          QStringLiteral("stopped by Ctrl+C; written: %1")
                              .arg(outcome.written.isEmpty() ? QStringLiteral("nothing")
                                                             : outcome.written.join(u' ')));
            return;
        }
        const auto reply =
            m_session.exchange(Catalogue::commandText(*command, item.value), command->tipo);
        if (!reply)
            return;
        if (!reply->acknowledged) {
            refused.insert(item.name, refusal(*reply));
            outcome.raise(ExitStatus::Refused, item.name + u' ' + refusal(*reply));
            break;
        }
        outcome.written << item.name;
    }
    if (const std::optional<Profile> found = readBack())
        compare(profile, *found, true, refused);
}

void Programmer::verify(const Profile& profile) {
    if (const std::optional<Profile> found = readBack())
        compare(profile, *found, false, {});
}

std::optional<Profile> Programmer::readBack() {
    const auto listing = m_session.exchange(QStringLiteral("STP"), Tipo::Listing);
    if (!listing)
        return std::nullopt;
    const QString text = m_session.listing();
    const auto position = m_session.exchange(QStringLiteral("POS"), Tipo::Position);
    if (!position)
        return std::nullopt;
    PortOutcome& outcome = m_session.outcome;
    if (!listing->acknowledged) {
        outcome.raise(ExitStatus::Refused, QStringLiteral("listing (STP) ") + refusal(*listing));
        return std::nullopt;
    }
    if (position->acknowledged)
        outcome.position = position->position;
    return Profile::fromListing(text);
}

void Programmer::compare(const Profile& wanted, const Profile& found, bool wrote,
                         const QHash<QString, QString>& refused) {
    QHash<QString, QString> reported; // the last entry of a name counts, as on the panel
    for (const Profile::Item& item : found.items)
        reported.insert(item.name, item.value);
    PortOutcome& outcome = m_session.outcome;
    for (const Profile::Item& item : inButtonOrder(wanted.items)) {
        const Catalogue::Listed* listed = Catalogue::listed(item.name);
        const bool isReported = reported.contains(item.name);
        ItemRow row{item.name, item.value, reported.value(item.name), {}};
        if (listed && listed->readOnly) {
            row.verdict = QStringLiteral("read-only, not compared");
        } else if (refused.contains(item.name)) {
            row.verdict = refused.value(item.name);
        } else if (wrote && !outcome.written.contains(item.name)) {
            row.verdict = QStringLiteral("not written");
        } else if (!listed) {
            row.verdict = wrote ? QStringLiteral("sent; a listing cannot show it")
                                : QStringLiteral("a listing cannot show it");
        } else if (!isReported) {
            row.verdict = QStringLiteral("NOT REPORTED");
            outcome.raise(ExitStatus::Refused, item.name + QStringLiteral(" not reported"));
        } else if (row.found != item.value) {
            row.verdict = QStringLiteral("DIFFERS");
            outcome.raise(ExitStatus::Refused, QStringLiteral("%1 differs (wanted %2, found %3)")
                                                   .arg(item.name, item.value, row.found));
        } else {
            row.verdict = QStringLiteral("ok");
        }
        outcome.rows << row;
    }
}

QList<Profile::Item> Programmer::inButtonOrder(const QList<Profile::Item>& items) {
    // Read-only items have no button; they follow in the order they came.
    const auto rank = [](const Profile::Item& item) {
        const Catalogue::Command* command = Catalogue::writer(item.name, item.value);
        return command ? Catalogue::indexOf(QString::fromLatin1(command->word))
                       : int(Catalogue::Commands.size());
    };
    QList<Profile::Item> ordered = items;
    std::stable_sort(
        ordered.begin(), ordered.end(),
        [&rank](const Profile::Item& a, const Profile::Item& b) { return rank(a) < rank(b); });
    return ordered;
}
