#include "service/RecordWriter.h"

#include "service/RecordJson.h"
#include "service/RecordSpool.h"
#include "service/StoreError.h"

namespace {

// A server that did not answer is asked again after this long, not at every unit: a
// connection that times out would otherwise hold up every unit.
constexpr qint64 RetryMs = 5000;
// Entries sent in one go before the newest record.
constexpr int Batch = 100;

} // namespace

RecordWriter::RecordWriter(const StoreAddress& address, const QString& spoolFile)
    : m_store(address) {
    if (address.isPostgres()) {
        m_spool = std::make_unique<RecordSpool>(
            spoolFile.isEmpty() ? RecordSpool::defaultFile() : spoolFile, address.text());
        flush();
    }
}

RecordWriter::~RecordWriter() = default;

void RecordWriter::addRun(const Records::Run& run) {
    write(QStringLiteral("run"), RecordJson::of(run));
}

void RecordWriter::addUnit(const Records::Unit& unit) {
    write(QStringLiteral("unit"), RecordJson::of(unit));
}

void RecordWriter::endRun(const QString& runId, const QDateTime& ended) {
    write(QStringLiteral("end"), {{"id", runId}, {"ended", Records::timeText(ended)}});
}

void RecordWriter::apply(const QString& kind, const QJsonObject& body) {
    if (kind == u"run")
        m_store.addRun(RecordJson::run(body));
    else if (kind == u"unit")
        m_store.addUnit(RecordJson::unit(body));
    else
        m_store.endRun(body["id"].toString(), Records::timeFrom(body["ended"].toString()));
}

void RecordWriter::write(const QString& kind, const QJsonObject& body) {
    if (!m_spool)
        return apply(kind, body);
    // Nothing newer overtakes what waits.
    if (!send())
        return m_spool->add(kind, body);
    try {
        apply(kind, body);
    } catch (const StoreError& e) {
        if (away(e))
            return m_spool->add(kind, body);
        apply(kind, body); // the connection had dropped and is back: once more
    }
}

bool RecordWriter::away(const StoreError& failure) {
    QString why;
    m_lastTry.start();
    if (m_store.reopen(&why)) {
        m_away.clear();
        return false;
    }
    m_away = why.isEmpty() ? failure.text() : why;
    return true;
}

bool RecordWriter::send() {
    if (!m_away.isEmpty()) {
        if (m_lastTry.isValid() && m_lastTry.elapsed() < RetryMs)
            return false;
        QString why;
        m_lastTry.start();
        if (!m_store.reopen(&why)) {
            m_away = why;
            return false;
        }
        m_away.clear();
    }
    for (;;) {
        const QList<RecordSpool::Entry> entries = m_spool->oldest(Batch);
        if (entries.isEmpty())
            return true;
        for (const RecordSpool::Entry& entry : entries) {
            try {
                apply(entry.kind, entry.body);
            } catch (const StoreError& e) {
                if (away(e))
                    return false;
                apply(entry.kind, entry.body);
            }
            // Sent before removed: a crash between the two sends it again, harmlessly.
            m_spool->remove(entry.seq);
        }
    }
}

void RecordWriter::flush() {
    if (!m_spool)
        return;
    m_lastTry.invalidate();
    send();
}

qsizetype RecordWriter::spooled() {
    return m_spool ? m_spool->count() : 0;
}

QString RecordWriter::spooling() {
    const qsizetype waiting = spooled();
    if (waiting == 0)
        return {};
    return QStringLiteral("%1 does not answer (%2); %3 record(s) kept in %4, sent once it "
                          "answers")
        .arg(address().named(), m_away.isEmpty() ? QStringLiteral("not tried yet") : m_away)
        .arg(waiting)
        .arg(m_spool->file());
}
