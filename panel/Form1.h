#pragma once

#include "link/Exchange.h"
#include "link/ExchangeView.h"
#include "link/TimerWait.h"
#include "panel/Calculator.h"
#include "panel/CommandDispatch.h"
#include "panel/Form1Controls.h"
#include "panel/PanelState.h"
#include "panel/Polling.h"

#include <QList>
#include <QWidget>
#include <functional>

class SerialPort;
class SetSeriale;

// The encoder programming panel: owns the port object, the wait timer and the controls.
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

    void Tx(QString& Testo, Tipo tipo);
    void Attendi(qint16& ms);

    void BloccaTasti();
    void SBloccaTasti();
    void PulisciTasti();
    void ImpostaTasti(const QString& Command, const QString& Dato);
    void LeggiElenco(const QString& text);

    // True while an exchange, a command press or the port probe runs. Work that would
    // put a command on the wire then waits with whenIdle() until all of them are over.
    bool busy() const;
    void whenIdle(std::function<void()> task);
    void beginPress();
    void endPress();

    SetSeriale& dialog();

    static constexpr auto Application = "QTX_Zintor";

    QString Versione;
    Flow FlussoMem = Flow::None;
    quint8 RispostaOk = 0;
    SerialPort& MSComm1;
    TimerWait waits;
    Form1Controls controls;
    PanelState state;
    CommandDispatch dispatch;
    Calculator calculator;
    Polling polling;

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
    void runDeferred();
    void configurePort(int number);
    void setTitle(const QString& middle);
    void waitWhileDialogVisible();

    std::function<void()> m_endProgram;
    Waiter& m_waiter;
    Exchange m_exchange;
    SetSeriale* m_dialog = nullptr;
    int m_exchanges = 0;
    bool m_pressRunning = false;
    QList<std::function<void()>> m_deferred;
};
