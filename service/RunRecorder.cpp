#include "service/RunRecorder.h"

#include "service/ItemWords.h"
#include "service/UnitResult.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace {

Records::Run newRun(const RunRecorder::Setup& setup, const QByteArray& bytes) {
    return {
        Records::newId(),
        setup.station,
        setup.operatorName,
        QFileInfo(setup.profileFile).fileName(),
        QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex()),
        QString::fromLatin1(bytes),
        QDateTime::currentDateTimeUtc(),
        {}};
}

} // namespace

RunRecorder::Approved RunRecorder::approve(const QString& file) {
    Approved approved;
    approved.profile = Profile::load(file, &approved.bytes);
    return approved;
}

RunRecorder::RunRecorder(const Setup& setup) : RunRecorder(setup, approve(setup.profileFile)) {}

RunRecorder::RunRecorder(const Setup& setup, const Approved& approved)
    : m_profile(approved.profile), m_run(newRun(setup, approved.bytes)),
      m_writer(StoreAddress::parse(setup.records), setup.spool) {
    m_writer.addRun(m_run);
}

RunRecorder::~RunRecorder() = default;

Records::Unit RunRecorder::record(const QString& serial, PortOutcome& outcome,
                                  const QDateTime& started) {
    ItemWords::cutShort(outcome, m_profile);
    const Records::Unit unit =
        UnitResult::unit(m_run.id, serial, outcome, started, QDateTime::currentDateTimeUtc());
    m_writer.addUnit(unit);
    m_serials.insert(serial);
    ++m_units;
    if (unit.outcome == Records::Outcome::Passed)
        ++m_passed;
    return unit;
}

void RunRecorder::finish() {
    if (m_finished)
        return;
    m_finished = true;
    m_writer.endRun(m_run.id, QDateTime::currentDateTimeUtc());
    m_writer.flush();
}
