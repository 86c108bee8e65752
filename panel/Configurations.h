#pragma once

#include "service/PortOutcome.h"
#include "service/Profile.h"
#include "service/Programmer.h"

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class GatedWork;
class PanelState;
class PortGate;
class QWidget;
class RecordingView;
class SerialPort;

// Save, apply and compare an encoder's configuration from the panel: the same programmer
// as the companion's, its exchanges through the gate and shown as a press shows them.
class Configurations : public QObject {
    Q_OBJECT
public:
    Configurations(QWidget& window, SerialPort& port, PortGate& gate, RecordingView& view,
                   PanelState& state, GatedWork& work);

    void save();
    void apply();
    void compare();

    // Reads the listing and the position as STP does, and the panel shows them as after STP;
    // once the port is free again, use sees what was read. When the listing cannot be read,
    // a message that begins with nothing ("Nothing was saved") says why, and use is not told.
    void read(const QString& nothing, std::function<void(const PortOutcome&)> use);

    // The latest apply or compare of the run.
    struct Result {
        QString file;
        bool applied = false;
        int planned = 0; // the items the apply meant to write
        PortOutcome outcome;
    };
    const std::optional<Result>& last() const { return m_last; }

private:
    enum class Operation { Apply, Compare };

    // The profile the operator chose, checked; nothing when cancelled or refused.
    std::optional<Profile> chooseProfile(const QString& caption, QString& file);
    bool confirmed(const Profile& profile);
    // Runs the operation as a press runs; then shows what it found.
    void run(Operation operation, const Profile& profile, const QString& file);
    // One step of the programmer on the panel's port, as a press runs; then follows once the
    // port is free.
    void program(const std::shared_ptr<PortOutcome>& outcome,
                 const std::function<void(Programmer&)>& step, std::function<void()> then,
                 Programmer::Progress progress = nullptr);
    void saveRead(const PortOutcome& outcome);
    void showResult(Result result);
    PortOutcome freshOutcome() const;

    QWidget& m_window;
    SerialPort& m_port;
    PortGate& m_gate;
    RecordingView& m_view;
    PanelState& m_state;
    GatedWork& m_work;
    std::atomic_bool m_stop{false};
    std::optional<Result> m_last;
};
