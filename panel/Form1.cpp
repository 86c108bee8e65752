#include "panel/Form1.h"

#include "link/Numbers.h"
#include "link/SerialError.h"
#include "link/SerialPort.h"
#include "panel/ReplyColours.h"
#include "platform/Colors.h"
#include "platform/Design.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "settings/SetSeriale.h"

#include "platform/MouseUpCheckBox.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <cmath>
#include <utility>

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
    : QWidget(parent), m_port(port), m_menu(this), m_area(new QWidget(this)), m_controls(m_area),
      m_lock({m_menu.ActSaveConfiguration, m_menu.ActApplyConfiguration,
              m_menu.ActCompareConfiguration, m_menu.ActSaveReportPdf, m_menu.ActPrintReport,
              m_menu.ActFindEncoder},
             {m_menu.ActSaveLog}),
      m_state(m_controls, m_RispostaOk, m_lock), m_record(Flow::None, this),
      m_gate(port, m_record, waiter), m_dispatch(m_controls, m_state, m_gate),
      m_calculator(m_controls), m_polling(m_controls, m_state, m_gate),
      m_work(m_controls, m_state, m_gate, m_polling, m_lock),
      m_configurations(*this, port, m_gate, m_record, m_state, m_work),
      m_report(*this, m_controls, port, m_configurations),
      m_production(*this, m_menu, {port, m_gate, m_record, m_state, m_work, m_lock}),
      m_endProgram(std::move(endProgram)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(
        QStringLiteral("Programmabile   -----------------------------------    BetaVersion"));
    m_area->setObjectName(QStringLiteral("DesignedArea"));
    const int width = Design::pixels(9345);
    const int bar = m_menu.bar->sizeHint().height();
    m_menu.bar->setGeometry(0, 0, width, bar);
    m_area->setGeometry(0, bar, width, Design::pixels(4320));
    setFixedSize(width, bar + Design::pixels(4320));
    m_record.logTo(m_log, port);
    connectControls();
    connectMenu();
}

void Form1::connectControls() {
    Form1Controls& c = m_controls;
    connect(c.Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    for (int i = 0; i < int(c.CmdPuls.size()); ++i)
        connect(c.CmdPuls[std::size_t(i)], &QPushButton::clicked, this,
                [this, i] { CmdPuls_Click(i); });
    c.TxtSended->installEventFilter(this);
    connect(c.ChkCont, &MouseUpCheckBox::mouseUp, this, [this] { ChkCont_MouseUp(); });
    connect(c.TxtNR, &QLineEdit::textChanged, this, [this] { m_calculator.TxtNR_Change(); });
    connect(c.TxtNS, &QLineEdit::textChanged, this, [this] { m_calculator.TxtNS_Change(); });
    for (int i = 0; i < int(c.TxtResult.size()); ++i)
        connect(c.TxtResult[std::size_t(i)], &QLineEdit::textChanged, this,
                [this, i] { m_calculator.TxtResult_Change(i); });
    connect(c.CmdNR1, &QPushButton::clicked, this, [this] { m_calculator.CmdNR1_Click(); });
    connect(c.CmdNR4096, &QPushButton::clicked, this, [this] { m_calculator.CmdNR4096_Click(); });
    connect(c.CmdNS4096, &QPushButton::clicked, this, [this] { m_calculator.CmdNS4096_Click(); });
    connect(c.CmdNS8192, &QPushButton::clicked, this, [this] { m_calculator.CmdNS8192_Click(); });
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_controls.TxtSended && event->type() == QEvent::MouseButtonDblClick)
        m_dispatch.TxtSended_DblClick();
    return QWidget::eventFilter(watched, event);
}

Form1::~Form1() = default;

void Form1::aarelease() {
    m_Versione = QStringLiteral(ZINTOR_RELEASE);
}

SetSeriale& Form1::dialog() {
    if (!m_dialog) {
        m_dialog = new SetSeriale(m_gate, this);
        m_dialog->logSearchesTo(m_log);
        // A search is work on the encoder as the menu's is: polling stops first, and the
        // buttons and the menu stay locked until its result window has closed.
        m_dialog->freePortWith([this](std::function<void()> find) { m_work.request(find); });
        m_dialog->allowFind(m_lock.workAllowed());
        connect(&m_lock, &ActionLock::workAllowedChanged, m_dialog, &SetSeriale::allowFind);
    }
    return *m_dialog;
}

void Form1::Form_Load() {
    aarelease();
    for (QPushButton* button : m_controls.CmdPuls)
        Colors::setBackColor(button, Colors::ButtonFace);
    const int number =
        storedPortNumber(SettingsStore::GetSetting(Application, Section, PortKey, "1"));
    configurePort(number);
    setTitle(MiddleAtStart);
    dialog().Default(m_port, 9600, 0);
    dialog().Sfondi(QStringLiteral("12632256"));
    waitWhileDialogVisible();
    m_gate.stopTimer();
    if (m_port.portOpen())
        m_port.setPortOpen(false);
}

void Form1::configurePort(int number) {
    try {
        m_port.setCommPort(number);
    } catch (const SerialError&) {
        m_port.setCommPort(1); // a stored number that names no selectable port
    }
    m_port.setSettings(SerialPort::SafeSettings);
    m_port.setHandshaking(int(Flow::XonXoff));
    m_port.setInputLen(0);
    m_port.setRtsEnable(false);
    m_port.discardInput();
    m_port.setInBufferSize(1024);
    m_port.discardOutput();
}

void Form1::setTitle(const QString& middle) {
    setWindowTitle(TitleLead + QString::number(m_port.commPort()) + middle + m_Versione);
}

void Form1::waitWhileDialogVisible() {
    while (dialog().isVisible())
        TimerWait::waitForEvents();
}

void Form1::Command1_Click() {
    // The dialog may change the port: it never opens over a command half sent, but once the
    // running exchange (or press) is over, where a poll can only be in its pause.
    if (m_gate.busy()) {
        if (!std::exchange(m_dialogWaits, true)) // a second press adds nothing
            m_gate.whenIdle([this] {
                m_dialogWaits = false;
                Command1_Click();
            });
        return;
    }
    m_gate.DoEvents();
    dialog().Setta(m_port);
    do {
        m_gate.DoEvents();
        waitWhileDialogVisible();
    } while (dialog().isVisible());
    setTitle(MiddleAfterDialog);
    m_FlussoMem = Flow(m_port.handshaking());
}

void Form1::Form_QueryUnload() {
    // While the dialog probes, the port is set to numbers the operator never chose.
    const int inUse = m_dialog && m_dialog->portInUse() ? m_dialog->portInUse() : m_port.commPort();
    SettingsStore::SaveSetting(Application, Section, PortKey, QString::number(inUse));
    // A search under way closes its ports first, so none is left held or locked.
    if (m_dialog)
        m_dialog->stopFind();
    if (m_port.portOpen())
        m_port.setPortOpen(false);
    m_endProgram();
}

void Form1::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    event->accept();
}

void Form1::CmdPuls_Click(int Index) {
    m_dispatch.CmdPuls_Click(Index);
}

void Form1::ChkCont_MouseUp() {
    m_polling.ChkCont_MouseUp();
}

void Form1::Tx(QString& Testo, Tipo tipo) {
    m_gate.Tx(Testo, tipo);
}

void Form1::Attendi(qint16& ms) {
    m_gate.Attendi(ms);
}

void Form1::BloccaTasti() {
    m_state.BloccaTasti();
}

void Form1::SBloccaTasti() {
    m_state.SBloccaTasti();
}

void Form1::PulisciTasti() {
    m_state.PulisciTasti();
}

void Form1::ImpostaTasti(const QString& Command, const QString& Dato) {
    m_state.ImpostaTasti(Command, Dato);
}

void Form1::LeggiElenco(const QString& text) {
    m_state.LeggiElenco(text);
}

Flow Form1::flowToRestore() const {
    return m_FlussoMem;
}

void Form1::exchangeStarted() {
    m_RispostaOk = 0;
    m_controls.TxtSended->setText(QString());
    m_controls.LblReceived->setText(QString());
    Colors::setBackColor(m_controls.LblReceived, ReplyColours::Waiting);
}

void Form1::sendingStarted(const QString& framed) {
    const QString history = m_controls.LblAct->text() + u'\n' + m_controls.LblBack->text();
    m_controls.LblBack->setText(history.left(HistoryLimit));
    m_controls.LblAct->setText(framed + QStringLiteral("   "));
    m_controls.LblTx->show();
    m_controls.Label2->setText(QString());
}

void Form1::echoShown(const QString& echo) {
    m_controls.TxtSended->setText(echo);
}

void Form1::commandTerminated() {
    m_controls.LblTx->hide();
}

void Form1::collectingPass() {
    m_controls.LblRx->show();
}

// Each control gets its final text at once, so an unchanged position is not repainted.
void Form1::replyShown(const ReplyReport& report) {
    m_controls.LblRx->hide();
    m_controls.LblPos->setText(report.wantsPosition ? report.position : QString());
    m_controls.Label2->setText(m_controls.Label2->text() + report.hexDump);
    Colors::setBackColor(m_controls.LblReceived, ReplyColours::of(report.status.kind));
    if (report.status.kind == Reply::Kind::Acknowledged)
        m_RispostaOk = 1;
    const bool empty = report.status.shown.isEmpty();
    m_controls.LblAct->setText(report.framed + QStringLiteral("   ......   ") +
                               (empty ? QStringLiteral("----") : report.status.shown));
    m_controls.LblReceived->setText(report.status.shown);
}

void Form1::listingReceived(const QString& listing) {
    LeggiElenco(listing);
}

void Form1::exchangeEnded() {
    SBloccaTasti();
}

void Form1::pollingStopped() {
    m_controls.ChkCont->setChecked(false);
}

void Form1::failureReported(const QString& message) {
    MessageBox::show(this, QMessageBox::Critical, message);
}
