#include "settings/SetSeriale.h"

#include "link/Numbers.h"
#include "link/PortGate.h"
#include "link/SerialPort.h"
#include "platform/Design.h"
#include "platform/HeldInput.h"
#include "platform/MessageBox.h"
#include "service/VisibleText.h"
#include "settings/LineReading.h"
#include "settings/PendingError.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>

SetSeriale::SetSeriale(PortGate& gate, QWidget* parent)
    : QDialog(parent), controls(this), m_gate(gate), m_ports(controls),
      m_freePort([this](std::function<void()> search) {
          // Never beside an exchange, a press, a poll's exchange or the probe.
          if (m_gate.busy())
              m_gate.whenIdle(std::move(search));
          else
              search();
      }) {
    setObjectName(QStringLiteral("SetSeriale"));
    setWindowTitle(QStringLiteral("RS232 Communication Settings"));
    setFixedWidth(Design::pixels(4995));
    controls.OKButton->setDefault(true);

    connect(controls.OKButton, &QPushButton::clicked, this, &SetSeriale::OKButton_Click);
    connect(controls.CancelButton, &QPushButton::clicked, this, &SetSeriale::CancelButton_Click);
    connect(controls.AdvButton, &QPushButton::clicked, this, &SetSeriale::AdvButton_Click);
    connect(controls.CmdFind, &QPushButton::clicked, this, &SetSeriale::CmdFind_Click);
    for (int i = 1; i <= int(controls.ComPort.size()); ++i) {
        QRadioButton* button = controls.ComPort[std::size_t(i - 1)];
        connect(button, &QRadioButton::clicked, this, [this, i] { ComPort_Click(i); });
        button->installEventFilter(this);
    }
    connect(controls.Combo1, &QComboBox::activated, this, &SetSeriale::Combo1_Click);
    // A typed number chooses the port as a pick from the list does.
    connect(controls.Combo1->lineEdit(), &QLineEdit::textEdited, this, &SetSeriale::Combo1_Click);

    storeOnSelection(controls.bauds, [this](const QString& v) { Velocita = v; });
    storeOnSelection(controls.parities, [this](const QString& v) { Parita = v; });
    storeOnSelection(controls.dataBits, [this](const QString& v) { BitDati = v; });
    storeOnSelection(controls.stopBits, [this](const QString& v) { BitStop = v; });
    storeOnSelection(controls.flows, [this](const QString& v) { Flusso = qint16(v.toShort()); });
    showCompact();
}

void SetSeriale::storeOnSelection(const Choices& choices,
                                  std::function<void(const QString&)> store) {
    for (const SetSerialeControls::Choice& choice : choices)
        connect(choice.option, &QRadioButton::toggled, this,
                [store, value = choice.value](bool on) {
                    if (on)
                        store(value);
                });
}

// The options that stand for the port's present settings; settings without an option
// have none.
QList<QRadioButton*> SetSeriale::matchingOptions(const SerialPort& port, bool withBaud) const {
    const LineReading line = LineReading::read(port.settings());
    QList<QRadioButton*> options{
        SetSerialeControls::matching(controls.parities, line.parity),
        SetSerialeControls::matching(controls.dataBits, QString::number(line.dataBits)),
        SetSerialeControls::matching(controls.stopBits, QString::number(line.stopBits)),
        SetSerialeControls::matching(controls.flows, QString::number(port.handshaking())),
    };
    if (withBaud)
        options.append(SetSerialeControls::matching(controls.bauds, Numbers::text(line.baud)));
    options.removeAll(nullptr);
    return options;
}

void SetSeriale::Setta(SerialPort& Porta) {
    Seriale = &Porta;
    controls.Combo1->setEditText(QString::number(Porta.commPort()));
    for (QRadioButton* option : matchingOptions(Porta, true))
        option->setChecked(true);
    controls.EchoOff->setChecked(true);
    if (!isVisible()) {
        show();
        return;
    }
    // Already open behind the panel: bring it back as a fresh activation, which probes
    // again, whether or not a window manager reports the activation.
    m_activated = false;
    raise();
    activateWindow();
    Form_Activate();
}

bool SetSeriale::loadRunning() const {
    return m_probe != nullptr;
}

int SetSeriale::portInUse() const {
    if (m_probe)
        return m_probe->initialNumber();
    return Seriale ? Seriale->commPort() : 0;
}

// The window system may or may not report activation on showing; either way one
// activation runs the step once.
void SetSeriale::setVisible(bool visible) {
    const bool showing = visible && !isVisible();
    QDialog::setVisible(visible);
    if (!visible)
        m_activated = false;
    if (showing)
        Form_Activate();
}

bool SetSeriale::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    // The dialog's own message box takes the activation without the operator leaving.
    else if (event->type() == QEvent::WindowDeactivate && !m_ownWindow)
        m_activated = false;
    return handled;
}

void SetSeriale::Form_Activate() {
    if (m_activated || loadRunning() || findRunning())
        return;
    m_activated = true;
    showCompact();
    Form_Load();
    QCoreApplication::processEvents();
}

void SetSeriale::Form_Load() {
    m_loaded = true;
    PortProbe probe(*Seriale);
    PortProbe::Slots found;
    m_gate.beginProbe();
    auto release = qScopeGuard([this] { m_gate.endProbe(); });
    {
        m_probe = &probe;
        const auto done = qScopeGuard([this] { m_probe = nullptr; });
        // Input waits in the queue: it must not act on the port while the probe has it.
        HeldInput held;
        found = probe.run([&held] { held.processOthers(); });
    }
    m_ports.rebuild(found, probe.initialNumber());
    // The choice follows the combo, whether the port in use took it or it kept its text.
    Combo1_Click();
    // Input held back meanwhile runs now, before anyone hears the load is over.
    release.dismiss();
    m_gate.endProbe();
    emit loadFinished();
}

// A text beyond any 16-bit number names no port, like one without a number.
void SetSeriale::readNumPorta() {
    try {
        NumPorta = Numbers::toInt16(Numbers::leading(controls.Combo1->currentText()));
    } catch (const OverflowError&) {
        NumPorta = 0;
    }
}

void SetSeriale::Combo1_Click() {
    readNumPorta();
    m_ports.follow();
}

void SetSeriale::ComPort_Click(int Index) {
    if (heldBack([this, Index] { ComPort_Click(Index); }))
        return;
    controls.Combo1->setEditText(controls.ComPort[std::size_t(Index - 1)]->text());
    readNumPorta();
}

void SetSeriale::ComPort_DblClick(int Index) {
    if (heldBack([this, Index] { ComPort_DblClick(Index); }))
        return;
    NumPorta = Numbers::toInt16(Numbers::leading(controls.ComPort[std::size_t(Index - 1)]->text()));
    OKButton_Click();
}

bool SetSeriale::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonDblClick)
        return QDialog::eventFilter(watched, event);
    for (std::size_t i = 0; i < controls.ComPort.size(); ++i)
        if (watched == controls.ComPort[i])
            ComPort_DblClick(int(i) + 1);
    return true;
}

void SetSeriale::OKButton_Click() {
    if (heldBack([this] { OKButton_Click(); }))
        return;
    PendingError error;
    const int old = Seriale->commPort();
    if (NumPorta != old) {
        if (Seriale->portOpen())
            error.attempt([this] { Seriale->setPortOpen(false); });
        choosePort(error);
        if (error.pending()) {
            report(error);
            error.attempt([this, old] { Seriale->setCommPort(old); });
            return;
        }
        // A failure to open is reported after the settings have been written.
        error.attempt([this] { Seriale->setPortOpen(true); });
    }
    const QString settings = Velocita + u',' + Parita + u',' + BitDati + u',' + BitStop;
    error.attempt([&] { Seriale->setSettings(settings); });
    if (error.pending()) {
        report(error);
        return;
    }
    error.attempt([this] { Seriale->setHandshaking(Flusso); });
    if (error.pending()) {
        report(error);
        return;
    }
    hide();
}

// A typed text that names no port number fails like a number the port cannot select.
void SetSeriale::choosePort(PendingError& error) {
    if (NumPorta < 1)
        error.set(QStringLiteral("%1 is not a COM port number. Choose a port from the "
                                 "list or type its number.")
                      .arg(VisibleText::quoted(controls.Combo1->currentText())));
    else
        error.attempt([this] { Seriale->setCommPort(NumPorta); });
}

void SetSeriale::report(const PendingError& error) {
    m_ownWindow = true;
    const auto done = qScopeGuard([this] { m_ownWindow = false; });
    MessageBox::show(this, QMessageBox::Warning, error.description());
}

void SetSeriale::CancelButton_Click() {
    close();
}

void SetSeriale::reject() {
    CancelButton_Click();
}

void SetSeriale::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!heldBack([this] { close(); }))
        Form_QueryUnload();
}

void SetSeriale::Form_QueryUnload() {
    QCoreApplication::processEvents();
    hide();
}

// Input that would act on the port waits until the probe or the search has put it back.
bool SetSeriale::heldBack(std::function<void()> action) {
    if (!loadRunning() && !findRunning())
        return false;
    m_gate.whenIdle(std::move(action), PortGate::Run::AtRelease);
    return true;
}
