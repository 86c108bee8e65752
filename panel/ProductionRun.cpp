#include "panel/ProductionRun.h"

#include "link/SerialPort.h"
#include "panel/ActionLock.h"
#include "panel/GatedWork.h"
#include "panel/PanelExchanger.h"
#include "panel/PanelState.h"
#include "service/Programmer.h"
#include "service/SerialNumber.h"
#include "service/StoreError.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int Kept = 20; // units in the table

QLabel* label(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setWordWrap(true);
    return l;
}

} // namespace

ProductionRun::ProductionRun(const ProductionPanel& panel, std::unique_ptr<RunRecorder> recorder,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), m_panel(panel), m_recorder(std::move(recorder)) {
    setObjectName(QStringLiteral("ProductionRun"));
    setAttribute(Qt::WA_DeleteOnClose);
    const Records::Run& run = m_recorder->run();
    setWindowTitle(QStringLiteral("Production run: %1").arg(run.profileFile));
    auto* about = label(this, "LblRun");
    about->setText(QStringLiteral("%1 (SHA-256 %2…) on COM%3 · station %4 · operator %5\n%6")
                       .arg(run.profileFile, run.profileSha256.left(12))
                       .arg(m_panel.port.commPort())
                       .arg(run.station, run.operatorName, m_recorder->writer().address().named()));
    SerialEntry = new QLineEdit(this);
    SerialEntry->setObjectName(QStringLiteral("SerialEntry"));
    SerialEntry->setPlaceholderText(QStringLiteral("Scan or type the serial number, then Enter"));
    SerialEntry->setMaxLength(200);
    QFont big = SerialEntry->font();
    big.setPointSize(16);
    SerialEntry->setFont(big);
    UnitOutcome = label(this, "UnitOutcome");
    big.setPointSize(22);
    big.setBold(true);
    UnitOutcome->setFont(big);
    UnitOutcome->setAlignment(Qt::AlignCenter);
    UnitOutcome->setMinimumHeight(110);
    RunCounts = label(this, "RunCounts");
    LblSpool = label(this, "LblSpool");
    UnitTable = new QTableWidget(0, 4, this);
    UnitTable->setObjectName(QStringLiteral("UnitTable"));
    UnitTable->setHorizontalHeaderLabels({"Serial", "Outcome", "Ended", "Headline"});
    UnitTable->horizontalHeader()->setStretchLastSection(true);
    UnitTable->verticalHeader()->hide();
    UnitTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    UnitTable->setFocusPolicy(Qt::NoFocus); // the scanner's keys stay with the serial
    CmdStopRun = new QPushButton(QStringLiteral("Stop"), this);
    CmdStopRun->setObjectName(QStringLiteral("CmdStopRun"));
    CmdStopRun->setFocusPolicy(Qt::NoFocus);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(about);
    layout->addWidget(SerialEntry);
    layout->addWidget(UnitOutcome);
    layout->addWidget(RunCounts);
    layout->addWidget(LblSpool);
    layout->addWidget(UnitTable, 1);
    layout->addWidget(CmdStopRun, 0, Qt::AlignRight);
    resize(720, 560);

    connect(SerialEntry, &QLineEdit::returnPressed, this, &ProductionRun::startUnit);
    connect(CmdStopRun, &QPushButton::clicked, this, &ProductionRun::stop);
    // The run holds the buttons and the menu's work locked between its units too.
    m_panel.lock.begin();
    m_panel.state.BloccaTasti();
    m_panel.state.hold();
    light(Lamp::Ready, QStringLiteral("READY"));
    RunCounts->setText(QStringLiteral("Units 0   Passed 0   Failed 0"));
    SerialEntry->setFocus();
}

ProductionRun::~ProductionRun() {
    endRun();
}

void ProductionRun::light(Lamp lamp, const QString& text) {
    static const char* const colours[] = {"#d0d0d0", "#ffe080", "#60d060", "#ff6060"};
    UnitOutcome->setStyleSheet(
        QStringLiteral("background: %1; border: 1px solid #808080").arg(colours[int(lamp)]));
    UnitOutcome->setText(text);
}

void ProductionRun::startUnit() {
    if (m_running || m_ended)
        return;
    QString why;
    const QString serial = SerialNumber::checked(SerialEntry->text(), &why);
    SerialEntry->clear();
    if (serial.isEmpty())
        return light(Lamp::Fail, QStringLiteral("NOT STARTED\n") + why);
    if (m_recorder->seen(serial)) {
        QMessageBox box(
            QMessageBox::Question, QStringLiteral("Zintor"),
            QStringLiteral("%1 was programmed earlier in this run. Program it again?").arg(serial),
            QMessageBox::Yes | QMessageBox::No, this);
        box.setObjectName(QStringLiteral("ConfirmRepeat"));
        box.setDefaultButton(QMessageBox::No);
        if (box.exec() != QMessageBox::Yes || m_ended)
            return;
    }
    m_running = true;
    m_stop = false;
    SerialEntry->setEnabled(false);
    light(Lamp::Working, QStringLiteral("WORKING %1").arg(serial));
    auto outcome = std::make_shared<PortOutcome>();
    const int com = m_panel.port.commPort();
    outcome->port = PortRef{com, QStringLiteral("COM%1").arg(com)};
    const QDateTime started = QDateTime::currentDateTimeUtc();
    const auto progress = [this, serial](int n, int m, const QString& item) {
        light(Lamp::Working, item.isEmpty() ? QStringLiteral("WORKING %1\nreading back").arg(serial)
                                            : QStringLiteral("WORKING %1\nitem %2 of %3 (%4)")
                                                  .arg(serial)
                                                  .arg(n)
                                                  .arg(m)
                                                  .arg(item));
    };
    const auto work = [this, outcome, progress] {
        PanelExchanger exchanger(m_panel.gate, m_panel.view, *outcome, m_panel.state);
        Programmer(exchanger, *outcome, m_stop, progress).apply(m_recorder->profile());
    };
    m_panel.work.run(work,
                     [this, serial, outcome, started] { unitDone(serial, outcome, started); });
}

void ProductionRun::unitDone(const QString& serial, const std::shared_ptr<PortOutcome>& outcome,
                             const QDateTime& started) {
    m_running = false;
    // The programmer words a stop as the companion's Ctrl+C; here it was the Stop button.
    for (QString& problem : outcome->problems)
        problem.replace(QStringLiteral("stopped by Ctrl+C"), QStringLiteral("stopped"));
    try {
        const Records::Unit unit = m_recorder->record(serial, *outcome, started);
        if (unit.outcome == Records::Outcome::Passed)
            light(Lamp::Pass, QStringLiteral("PASS ") + serial);
        else
            light(Lamp::Fail, QStringLiteral("FAIL %1\n%2")
                                  .arg(serial, unit.headline.section(QStringLiteral(": "), 1)));
        addRow(unit);
    } catch (const StoreError& e) {
        // Never shown as passed without its record.
        light(Lamp::Fail, QStringLiteral("NOT RECORDED %1").arg(serial));
        endRun(e.text());
        QMessageBox box(
            QMessageBox::Critical, QStringLiteral("Zintor"),
            QStringLiteral("The run stops: %1 was not recorded.\n%2").arg(serial, e.text()),
            QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("StoreFailure"));
        box.exec();
        return;
    }
    RunCounts->setText(QStringLiteral("Units %1   Passed %2   Failed %3")
                           .arg(m_recorder->units())
                           .arg(m_recorder->passed())
                           .arg(m_recorder->failed()));
    const QString spooling = m_recorder->writer().spooling();
    LblSpool->setText(spooling.isEmpty() ? QString() : QStringLiteral("Spooling: ") + spooling);
    if (m_stop)
        return endRun();
    SerialEntry->setEnabled(true);
    SerialEntry->setFocus();
}

void ProductionRun::addRow(const Records::Unit& unit) {
    UnitTable->insertRow(0);
    const QStringList cells{unit.serial, Records::outcomeName(unit.outcome),
                            unit.ended.toLocalTime().toString(QStringLiteral("HH:mm:ss")),
                            unit.headline};
    for (int c = 0; c < cells.size(); ++c)
        UnitTable->setItem(0, c, new QTableWidgetItem(cells[c]));
    if (UnitTable->rowCount() > Kept)
        UnitTable->removeRow(Kept);
}

void ProductionRun::stop() {
    if (m_running) {
        m_stop = true;
        CmdStopRun->setEnabled(false);
        return light(Lamp::Working,
                     UnitOutcome->text() + QStringLiteral("\nstopping after the running exchange"));
    }
    endRun();
    close();
}

void ProductionRun::endRun(const QString& why) {
    if (m_ended)
        return;
    m_ended = true;
    SerialEntry->setEnabled(false);
    CmdStopRun->setText(QStringLiteral("Close"));
    CmdStopRun->setEnabled(true);
    disconnect(CmdStopRun, nullptr, this, nullptr);
    connect(CmdStopRun, &QPushButton::clicked, this, &QWidget::close);
    QString end = why;
    try {
        m_recorder->finish();
    } catch (const StoreError& e) {
        end = e.text();
    }
    m_panel.state.release();
    m_panel.lock.end();
    RunCounts->setText(RunCounts->text() + QStringLiteral("   · run ended") +
                       (end.isEmpty() ? QString() : QStringLiteral(": ") + end));
    emit runEnded();
}

void ProductionRun::closeEvent(QCloseEvent* event) {
    if (m_running) { // the unit ends first, and says what it holds
        stop();
        return event->ignore();
    }
    endRun();
    event->accept();
}
