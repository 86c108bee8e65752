#include "panel/Form1.h"

#include "link/Numbers.h"
#include "link/SerialError.h"
#include "link/SerialPort.h"
#include "platform/Colors.h"
#include "platform/Design.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "settings/SetSeriale.h"

#include "platform/MouseUpCheckBox.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cmath>

namespace {

const QString Section = QStringLiteral("startup");
const QString PortKey = QStringLiteral("PortaMem");
const QString TitleLead = QStringLiteral("Programmabile on COM   ");
const QString MiddleAtStart =
    QStringLiteral("         ---------------------------    BetaVersion   ");
const QString MiddleAfterDialog =
    QStringLiteral("          ---------------------------    BetaVersion   ");
constexpr int HistoryLimit = 640;

// The stored port number; anything that is not a usable number counts as port 1.
int storedPortNumber(const QString& stored) {
    bool ok = false;
    const double value = stored.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 1;
    try {
        const qint16 number = Numbers::toInt16(value);
        return number == 0 ? 1 : number;
    } catch (const OverflowError&) {
        return 1;
    }
}

} // namespace

Form1::Form1(SerialPort& port, std::function<void()> endProgram, Waiter* waiter, QWidget* parent)
    : QWidget(parent), MSComm1(port), controls(this), state(controls, RispostaOk), dispatch(*this),
      calculator(controls), polling(*this), m_endProgram(std::move(endProgram)),
      m_waiter(waiter ? *waiter : waits), m_exchange(port, m_waiter, *this) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(
        QStringLiteral("Programmabile   -----------------------------------    BetaVersion"));
    setFixedSize(Design::pixels(9345), Design::pixels(4320));
    connectControls();
}

void Form1::connectControls() {
    Form1Controls& c = controls;
    connect(c.Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    for (int i = 0; i < int(c.CmdPuls.size()); ++i)
        connect(c.CmdPuls[std::size_t(i)], &QPushButton::clicked, this,
                [this, i] { dispatch.CmdPuls_Click(i); });
    c.TxtSended->installEventFilter(this);
    connect(c.ChkCont, &MouseUpCheckBox::mouseUp, this, [this] { polling.ChkCont_MouseUp(); });
    connect(c.TxtNR, &QLineEdit::textChanged, this, [this] { calculator.TxtNR_Change(); });
    connect(c.TxtNS, &QLineEdit::textChanged, this, [this] { calculator.TxtNS_Change(); });
    for (int i = 0; i < int(c.TxtResult.size()); ++i)
        connect(c.TxtResult[std::size_t(i)], &QLineEdit::textChanged, this,
                [this, i] { calculator.TxtResult_Change(i); });
    connect(c.CmdNR1, &QPushButton::clicked, this, [this] { calculator.CmdNR1_Click(); });
    connect(c.CmdNR4096, &QPushButton::clicked, this, [this] { calculator.CmdNR4096_Click(); });
    connect(c.CmdNS4096, &QPushButton::clicked, this, [this] { calculator.CmdNS4096_Click(); });
    connect(c.CmdNS8192, &QPushButton::clicked, this, [this] { calculator.CmdNS8192_Click(); });
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == controls.TxtSended && event->type() == QEvent::MouseButtonDblClick)
        dispatch.TxtSended_DblClick();
    return QWidget::eventFilter(watched, event);
}

Form1::~Form1() = default;

void Form1::aarelease() {
    Versione = QStringLiteral(ZINTOR_RELEASE);
}

SetSeriale& Form1::dialog() {
    if (!m_dialog) {
        m_dialog = new SetSeriale(this);
        connect(m_dialog, &SetSeriale::loadFinished, this, &Form1::runDeferred);
    }
    return *m_dialog;
}

void Form1::Form_Load() {
    aarelease();
    for (QPushButton* button : controls.CmdPuls)
        Colors::setBackColor(button, Colors::ButtonFace);
    const int number =
        storedPortNumber(SettingsStore::GetSetting(Application, Section, PortKey, "1"));
    configurePort(number);
    setTitle(MiddleAtStart);
    dialog().Default(MSComm1, 9600, 0);
    dialog().Sfondi(QStringLiteral("12632256"));
    waitWhileDialogVisible();
    waits.Timer1.stop();
    if (MSComm1.portOpen())
        MSComm1.setPortOpen(false);
}

void Form1::configurePort(int number) {
    try {
        MSComm1.setCommPort(number);
    } catch (const SerialError&) {
        MSComm1.setCommPort(1); // a stored number that names no selectable port
    }
    MSComm1.setSettings(QStringLiteral("9600,n,8,1"));
    MSComm1.setHandshaking(1);
    MSComm1.setInputLen(0);
    MSComm1.setRtsEnable(false);
    MSComm1.discardInput();
    MSComm1.setInBufferSize(1024);
    MSComm1.discardOutput();
}

void Form1::setTitle(const QString& middle) {
    setWindowTitle(TitleLead + QString::number(MSComm1.commPort()) + middle + Versione);
}

void Form1::waitWhileDialogVisible() {
    while (dialog().isVisible())
        TimerWait::waitForEvents();
}

void Form1::Command1_Click() {
    m_waiter.DoEvents();
    dialog().Setta(MSComm1);
    do {
        m_waiter.DoEvents();
        waitWhileDialogVisible();
    } while (dialog().isVisible());
    setTitle(MiddleAfterDialog);
    FlussoMem = quint8(MSComm1.handshaking());
}

void Form1::Form_QueryUnload() {
    // While the dialog probes, the port is set to numbers the operator never chose.
    const int inUse =
        m_dialog && m_dialog->portInUse() ? m_dialog->portInUse() : MSComm1.commPort();
    SettingsStore::SaveSetting(Application, Section, PortKey, QString::number(inUse));
    if (MSComm1.portOpen())
        MSComm1.setPortOpen(false);
    m_endProgram();
}

void Form1::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    event->accept();
}

void Form1::Tx(QString& Testo, Tipo tipo) {
    ++m_exchanges;
    m_exchange.Tx(Testo, tipo);
    --m_exchanges;
    if (!busy())
        runDeferred();
}

bool Form1::busy() const {
    return m_exchanges > 0 || m_pressRunning || (m_dialog && m_dialog->loadRunning());
}

void Form1::whenIdle(std::function<void()> task) {
    m_deferred.append(std::move(task));
}

void Form1::beginPress() {
    m_pressRunning = true;
    state.hold();
}

void Form1::endPress() {
    m_pressRunning = false;
    state.release();
    runDeferred();
}

// From the event loop, not from inside the handler that just finished its exchange.
void Form1::runDeferred() {
    if (m_deferred.isEmpty())
        return;
    QTimer::singleShot(0, this, [this] {
        if (busy() || m_deferred.isEmpty())
            return;
        const std::function<void()> task = m_deferred.takeFirst();
        task();
        if (!busy())
            runDeferred();
    });
}

void Form1::Attendi(qint16& ms) {
    m_waiter.Attendi(ms);
}

void Form1::BloccaTasti() {
    state.BloccaTasti();
}

void Form1::SBloccaTasti() {
    state.SBloccaTasti();
}

void Form1::PulisciTasti() {
    state.PulisciTasti();
}

void Form1::ImpostaTasti(const QString& Command, const QString& Dato) {
    state.ImpostaTasti(Command, Dato);
}

void Form1::LeggiElenco(const QString& text) {
    state.LeggiElenco(text);
}

quint8 Form1::flowToRestore() const {
    return FlussoMem;
}

void Form1::exchangeStarted() {
    RispostaOk = 0;
    controls.TxtSended->setText(QString());
    controls.LblReceived->setText(QString());
    Colors::setBackColor(controls.LblReceived, Reply::Waiting);
}

void Form1::sendingStarted(const QString& framed) {
    const QString history = controls.LblAct->text() + u'\n' + controls.LblBack->text();
    controls.LblBack->setText(history.left(HistoryLimit));
    controls.LblAct->setText(framed + QStringLiteral("   "));
    controls.LblTx->show();
    controls.Label2->setText(QString());
}

void Form1::echoShown(const QString& echo) {
    controls.TxtSended->setText(echo);
}

void Form1::commandTerminated() {
    controls.LblTx->hide();
}

void Form1::collectingPass() {
    controls.LblRx->show();
}

// Each control gets its final text at once, so an unchanged position is not repainted.
void Form1::replyShown(const ReplyReport& report) {
    controls.LblRx->hide();
    controls.LblPos->setText(report.wantsPosition ? report.position : QString());
    controls.Label2->setText(controls.Label2->text() + report.hexDump);
    Colors::setBackColor(controls.LblReceived, report.status.colour);
    if (report.status.acknowledged)
        RispostaOk = 1;
    const bool empty = report.status.shown.isEmpty();
    controls.LblAct->setText(report.framed + QStringLiteral("   ......   ") +
                             (empty ? QStringLiteral("----") : report.status.shown));
    controls.LblReceived->setText(report.status.shown);
}

void Form1::listingReceived(const QString& listing) {
    LeggiElenco(listing);
}

void Form1::exchangeEnded() {
    SBloccaTasti();
}

void Form1::pollingStopped() {
    controls.ChkCont->setChecked(false);
}

void Form1::failureReported(const QString& message) {
    MessageBox::show(this, QMessageBox::Critical, message);
}
