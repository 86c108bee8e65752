#pragma once

#include "cli/RunOptions.h"
#include "service/RunRecorder.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QQueue>
#include <atomic>
#include <memory>
#include <vector>

class InputLines;
class PortJob;

// zintor-cli run: serial numbers from standard input go to the ports in turn; each port
// programs and verifies its units one after another on a thread of its own, and every
// unit is committed to the store before its line is printed. A store that cannot be
// written, or Ctrl+C, starts no further unit; the running ones end after their exchange.
class RunCommand : public QObject {
    Q_OBJECT
public:
    RunCommand(const RunOptions& options, RunRecorder& recorder);
    ~RunCommand() override;

    // Returns the exit status.
    int exec();

private:
    struct Port {
        PortRef ref;
        QQueue<QString> serials;
        std::unique_ptr<PortJob> job;
        QString serial; // the running unit's
        QDateTime started;
    };

    void line(int number, const QString& text, bool tooLong);
    void refuse(int number, const QString& why);
    void startNext(Port& port);
    void unitDone(Port& port);
    void stopAll();
    // No further unit: the input is no longer read, and the serials waiting are named.
    void halt();
    void finishIfDone();
    void tellSpooling();

    const RunOptions& m_options;
    RunRecorder& m_recorder;
    std::vector<Port> m_ports;
    InputLines* m_input = nullptr;
    QEventLoop m_loop;
    std::atomic_bool m_stop{false};
    std::atomic_bool m_cut{false};
    qsizetype m_next = 0;  // the port the next serial goes to
    QSet<QString> m_taken; // serials given out in this run
    bool m_inputEnded = false;
    bool m_halted = false; // no further unit: the store failed or Ctrl+C came
    int m_status = ExitStatus::Done;
    QString m_spooling;
};
