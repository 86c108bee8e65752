#pragma once

#include <QElapsedTimer>
#include <QMap>
#include <QString>

// What a random-input run found: each invariant that failed, told at once with the seed
// and the time into the run, so that the run can be repeated up to that point.
class Verdict {
public:
    explicit Verdict(quint64 seed);

    void fail(const QString& invariant, const QString& detail);
    // Counted at once, so that every invariant appears in the table even when it held.
    void watch(const QString& invariant) { m_failures.insert(invariant, 0); }
    bool held() const;
    const QMap<QString, int>& failures() const { return m_failures; }

    quint64 seed() const { return m_seed; }
    double seconds() const { return double(m_clock.elapsed()) / 1000; }

private:
    quint64 m_seed;
    QElapsedTimer m_clock;
    QMap<QString, int> m_failures;
};
