#pragma once

#include "panel/ProductionPanel.h"
#include "service/RunRecorder.h"

#include <QWidget>
#include <atomic>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The run window: scan a serial (Enter starts the unit), the unit is programmed and
// verified on the panel's port through the gate as a press is, committed to the store, and
// only then shown as PASS or FAIL. The twenty buttons and the menu's work stay locked until
// the run ends.
class ProductionRun : public QWidget {
    Q_OBJECT
public:
    ProductionRun(const ProductionPanel& panel, std::unique_ptr<RunRecorder> recorder,
                  QWidget* parent = nullptr);
    ~ProductionRun() override;

    bool unitRunning() const { return m_running; }
    bool ended() const { return m_ended; }

    QLineEdit* SerialEntry;
    QLabel* UnitOutcome;
    QLabel* RunCounts;
    QLabel* LblSpool;
    QTableWidget* UnitTable;
    QPushButton* CmdStopRun;

signals:
    void runEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Lamp { Ready, Working, Pass, Fail };
    void startUnit();
    void unitDone(const QString& serial, const std::shared_ptr<PortOutcome>& outcome,
                  const QDateTime& started);
    void stop();
    void endRun(const QString& why = {});
    void light(Lamp lamp, const QString& text);
    void addRow(const Records::Unit& unit);

    ProductionPanel m_panel;
    std::unique_ptr<RunRecorder> m_recorder;
    std::atomic_bool m_stop{false};
    bool m_running = false;
    bool m_ended = false;
};
