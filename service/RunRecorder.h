#pragma once

#include "service/PortOutcome.h"
#include "service/Profile.h"
#include "service/RecordWriter.h"

#include <QSet>

// One production run as both front-ends keep it: the approved profile checked and recorded
// with its text and SHA-256, each unit committed to the store before its outcome may be
// shown, the serials already seen, and the counts.
class RunRecorder {
public:
    struct Setup {
        QString profileFile;
        QString station;
        QString operatorName;
        QString records; // file, URL, or empty for the default file
        QString spool;   // empty: the default spool
    };

    // Throws UsageError for the profile or the address (FILE:LINE: why), StoreError when the
    // store cannot be opened or the run not recorded.
    explicit RunRecorder(const Setup& setup);
    ~RunRecorder();

    const Profile& profile() const { return m_profile; }
    const Records::Run& run() const { return m_run; }
    RecordWriter& writer() { return m_writer; }

    bool seen(const QString& serial) const { return m_serials.contains(serial); }

    // Completes the outcome as the result table shows it and commits the unit; throws
    // StoreError, and then the run must stop before the next unit.
    Records::Unit record(const QString& serial, PortOutcome& outcome, const QDateTime& started);
    // Records the run's end; throws StoreError.
    void finish();

    int units() const { return m_units; }
    int passed() const { return m_passed; }
    int failed() const { return m_units - m_passed; }

private:
    // The profile checked, and its bytes as read, before anything is opened.
    struct Approved {
        Profile profile;
        QByteArray bytes;
    };
    static Approved approve(const QString& file);
    RunRecorder(const Setup& setup, const Approved& approved);

    Profile m_profile;
    Records::Run m_run;
    RecordWriter m_writer;
    QSet<QString> m_serials;
    int m_units = 0;
    int m_passed = 0;
    bool m_finished = false;
};
