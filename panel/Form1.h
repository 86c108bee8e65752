#pragma once

#include "link/ExchangeView.h"
#include "link/PortGate.h"
#include "panel/ActionLock.h"
#include "panel/Calculator.h"
#include "panel/CommandDispatch.h"
#include "panel/Configurations.h"
#include "panel/Form1Controls.h"
#include "panel/Form1Menu.h"
#include "panel/GatedWork.h"
#include "panel/PanelState.h"
#include "panel/Polling.h"
#include "panel/ProductionActions.h"
#include "panel/ReportAction.h"
#include "platform/SettingsStore.h"
#include "service/ExchangeLog.h"
#include "service/RecordingView.h"

#include <QWidget>
#include <functional>

class SerialPort;
class SetSeriale;

// The encoder programming panel: owns the port object's use, the wait timer and the
// controls. The designed controls sit in an area of their own below the menu bar, so they
// keep their design coordinates.
class Form1 : public QWidget, public ExchangeView {
    Q_OBJECT
public:
    // endProgram ends the process at once; it is called from inside any handler or wait.
    // The exchange waits on the panel's own timer unless another waiter is given.
    Form1(SerialPort& port, std::function<void()> endProgram, Waiter* waiter = nullptr,
          QWidget* parent = nullptr);
    ~Form1() override;

    void aarelease();
    void Form_Load();
    void Command1_Click();
    void Form_QueryUnload();
    void CmdPuls_Click(int Index);
    void ChkCont_MouseUp();

    void Tx(QString& Testo, Tipo tipo);
    void Attendi(qint16& ms);

    void BloccaTasti();
    void SBloccaTasti();
    void PulisciTasti();
    void ImpostaTasti(const QString& Command, const QString& Dato);
    void LeggiElenco(const QString& text);

    SetSeriale& dialog();
    Form1Controls& controls() { return m_controls; }
    Form1Menu& menu() { return m_menu; }
    const ActionLock& actionLock() const { return m_lock; }
    QWidget* designedArea() const { return m_area; }
    Configurations& configurations() { return m_configurations; }
    ProductionActions& production() { return m_production; }
    const ExchangeLog& exchangeLog() const { return m_log; }
    SerialPort& MSComm1() { return m_port; }
    const QString& Versione() const { return m_Versione; }
    Flow FlussoMem() const { return m_FlussoMem; }
    quint8 RispostaOk() const { return m_RispostaOk; }
    bool timerRunning() const { return m_gate.timerRunning(); }

    static constexpr auto Application = SettingsStore::Application;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Flow flowToRestore() const override;
    void exchangeStarted() override;
    void sendingStarted(const QString& framed) override;
    void echoShown(const QString& echo) override;
    void commandTerminated() override;
    void collectingPass() override;
    void replyShown(const ReplyReport& report) override;
    void listingReceived(const QString& listing) override;
    void exchangeEnded() override;
    void pollingStopped() override;
    void failureReported(const QString& message) override;

    void connectControls();
    void connectMenu();
    void about();
    void findEncoder();
    void configurePort(int number);
    void setTitle(const QString& middle);
    void waitWhileDialogVisible();

    QString m_Versione;
    Flow m_FlussoMem = Flow::None;
    quint8 m_RispostaOk = 0;
    SerialPort& m_port;
    Form1Menu m_menu;
    QWidget* m_area;
    Form1Controls m_controls;
    ActionLock m_lock;
    PanelState m_state;
    // Every exchange through the gate is recorded, and logged, on its way to the display.
    ExchangeLog m_log;
    RecordingView m_record;
    PortGate m_gate;
    CommandDispatch m_dispatch;
    Calculator m_calculator;
    Polling m_polling;
    GatedWork m_work;
    Configurations m_configurations;
    ReportAction m_report;
    ProductionActions m_production;
    std::function<void()> m_endProgram;
    SetSeriale* m_dialog = nullptr;
    bool m_dialogWaits = false; // Serial line pressed during an exchange
};
