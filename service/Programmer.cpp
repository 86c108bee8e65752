#include "service/Programmer.h"

#include "link/Catalogue.h"
#include "service/Exchanger.h"
#include "service/PortOutcome.h"
#include "service/VisibleText.h"

#include <QDateTime>
#include <algorithm>

Programmer::Programmer(Exchanger& exchanger, PortOutcome& outcome, const std::atomic_bool& stop,
                       Progress progress)
    : m_exchanger(exchanger), m_outcome(outcome), m_stop(stop), m_progress(std::move(progress)) {}

QString Programmer::refusal(const Exchanged& reply) {
    if (reply.status == u"none")
        return QStringLiteral("not answered");
    if (reply.status == u"other")
        return QStringLiteral("answered %1").arg(VisibleText::quoted(reply.reply.trimmed()));
    return QStringLiteral("refused (%1)").arg(reply.status);
}

void Programmer::read(const QString& device) {
    const std::optional<Profile> found = readBack();
    if (!found)
        return;
    PortOutcome& outcome = m_outcome;
    for (const Profile::Item& item : found->items)
        outcome.rows << ItemRow{item.name, {}, item.value, {}, ItemRow::Result::Listed};
    for (const Profile::Item& item : found->unknown)
        outcome.rows << ItemRow{
            item.name, {}, item.value, QStringLiteral("unknown, kept"), ItemRow::Result::Kept};
    const PortRef& port = outcome.port;
    outcome.profile = found->text({
        QStringLiteral("zintor-cli " ZINTOR_RELEASE " profile"),
        QStringLiteral("read %1 from %2 (%3)")
            .arg(QDateTime::currentDateTime().toString(Qt::ISODate), port.label, device),
        QStringLiteral("position %1").arg(outcome.position),
    });
}

QList<Profile::Item> Programmer::writable(const Profile& profile) {
    QList<Profile::Item> items;
    for (const Profile::Item& item : inButtonOrder(profile.items))
        if (Catalogue::writer(item.name, item.value))
            items << item; // read-only items are recorded, never sent
    return items;
}

void Programmer::apply(const Profile& profile) {
    PortOutcome& outcome = m_outcome;
    QHash<QString, QString> refused;
    const QList<Profile::Item> items = writable(profile);
    for (const Profile::Item& item : items) {
        const Catalogue::Command* command = Catalogue::writer(item.name, item.value);
        if (m_stop) {
            outcome.raise(ExitStatus::Stopped,
                          QStringLiteral("stopped by Ctrl+C; ") + outcome.writtenSoFar());
            return;
        }
        if (m_progress)
            m_progress(int(outcome.written.size()) + 1, int(items.size()), item.name);
        const auto reply =
            m_exchanger.exchange(Catalogue::commandText(*command, item.value), command->tipo);
        if (!reply) {
            // The encoder now holds part of the profile: the record must say which part.
            outcome.raise(ExitStatus::PortFailed, outcome.writtenSoFar());
            return;
        }
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
    const auto listing = m_exchanger.exchange(QStringLiteral("STP"), Tipo::Listing);
    if (!listing)
        return std::nullopt;
    const QString text = m_exchanger.listing();
    const auto position = m_exchanger.exchange(QStringLiteral("POS"), Tipo::Position);
    if (!position)
        return std::nullopt;
    PortOutcome& outcome = m_outcome;
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
    for (const Profile::Item& item : inButtonOrder(wanted.items))
        m_outcome.rows << judge(item, reported, wrote, refused);
}

ItemRow Programmer::judge(const Profile::Item& item, const QHash<QString, QString>& reported,
                          bool wrote, const QHash<QString, QString>& refused) {
    using Result = ItemRow::Result;
    const Catalogue::Listed* listed = Catalogue::listed(item.name);
    ItemRow row{item.name, item.value, reported.value(item.name), {}, Result::Ok};
    const auto verdict = [&row](Result result, const QString& words) {
        row.result = result;
        row.verdict = words;
        return row;
    };
    if (listed && listed->readOnly)
        return verdict(Result::ReadOnly, QStringLiteral("read-only, not compared"));
    if (refused.contains(item.name))
        return verdict(Result::Refused, refused.value(item.name));
    if (wrote && !m_outcome.written.contains(item.name))
        return verdict(Result::NotWritten, QStringLiteral("not written"));
    if (!listed)
        return verdict(Result::NotVerifiable, wrote
                                                  ? QStringLiteral("sent; a listing cannot show it")
                                                  : QStringLiteral("a listing cannot show it"));
    if (!reported.contains(item.name)) {
        m_outcome.raise(ExitStatus::Refused, item.name + QStringLiteral(" not reported"));
        return verdict(Result::NotReported, QStringLiteral("NOT REPORTED"));
    }
    if (row.found != item.value) {
        m_outcome.raise(ExitStatus::Refused,
                        QStringLiteral("%1 differs (wanted %2, found %3)")
                            .arg(item.name, item.value, VisibleText::of(row.found)));
        return verdict(Result::Differs, QStringLiteral("DIFFERS"));
    }
    return verdict(Result::Ok, QStringLiteral("ok"));
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
