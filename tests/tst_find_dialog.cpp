#include "DialogRig.h"
#include "LockFiles.h"
#include "MessageCatcher.h"
#include "SimulatedPorts.h"
#include "WhenShown.h"
#include "panel/Form1.h"
#include "platform/QtSerialPort.h"
#include "settings/FindEncoder.h"
#include "settings/SetSeriale.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <QTableWidget>
#include <QTest>
#include <functional>

namespace {

// The simulated ports, mapped in this process.
struct Line : SimulatedPorts {
    Line() { map(); }
};

void picture(QWidget* window, const QString& name) {
    const QDir folder(qEnvironmentVariable("ZINTOR_ARTEFACTS", ZINTOR_ARTEFACTS));
    QVERIFY(folder.mkpath("."));
    QVERIFY2(window->grab().save(folder.filePath(name)), qPrintable(folder.filePath(name)));
}

QStringList column(const QTableWidget* table, int column) {
    QStringList cells;
    for (int row = 0; row < table->rowCount(); ++row)
        cells << table->item(row, column)->text();
    return cells;
}

SearchResult found(int number, const QString& settings) {
    SearchResult r;
    r.port = {number, QStringLiteral("COM%1").arg(number)};
    r.kind = SearchResult::Kind::Found;
    r.settings = settings;
    return r;
}

} // namespace

class FindDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void findCoversNoControl_data();
    void findCoversNoControl();
    void useSelectsAsClicksDo_data();
    void useSelectsAsClicksDo();
    void findThenOkTalksToTheEncoder();
    void cancelStopsTheSearchAndTheDialogKeepsItsChoices();
    void endingTheProgramMidwayClosesEveryPort();
};

void FindDialogTest::initTestCase() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); // as the program
}

void FindDialogTest::findCoversNoControl_data() {
    QTest::addColumn<bool>("full");
    QTest::newRow("compact") << false;
    QTest::newRow("full") << true;
}

void FindDialogTest::findCoversNoControl() {
    QFETCH(bool, full);
    DialogRig rig;
    rig.dialog.Setta(rig.port);
    if (full)
        rig.c.AdvButton->click();
    QPushButton* find = rig.c.CmdFind;
    QVERIFY(find->isVisible());
    QVERIFY(rig.dialog.rect().contains(find->geometry()));
    for (QWidget* control : rig.dialog.findChildren<QWidget*>()) {
        if (control == find || !control->isVisible() || control->isWindow())
            continue;
        const QRect place(control->mapTo(&rig.dialog, QPoint()), control->size());
        QVERIFY2(!place.intersects(find->geometry()), qPrintable(control->objectName()));
    }
}

void FindDialogTest::useSelectsAsClicksDo_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("button"); // the port button chosen, if any
    QTest::addColumn<QStringList>("selected");
    QTest::newRow("a port with a button, even parity, 7 bits")
        << 2 << "2400,E,7,1"
        << "ComPort_2"
        << QStringList{"Baud24", "Data7", "EchoOff", "EvenParity", "Stop1", "XonFlow"};
    QTest::newRow("a port the probe does not list")
        << 20 << "19200,O,8,1"
        << "" << QStringList{"Baud192", "Data8", "EchoOff", "OddParity", "Stop1", "XonFlow"};
}

void FindDialogTest::useSelectsAsClicksDo() {
    QFETCH(int, number);
    QFETCH(QString, settings);
    QFETCH(QString, button);
    QFETCH(QStringList, selected);
    DialogRig rig({1, 2, 3, 20});
    rig.dialog.Setta(rig.port);
    rig.c.AdvButton->click();
    rig.c.Baud1152->click(); // chosen before the search: Use replaces it
    rig.dialog.useFound(found(number, settings));
    QCOMPARE(rig.c.Combo1->currentText(), QString::number(number));
    QCOMPARE(rig.dialog.NumPorta, number);
    for (QRadioButton* port : rig.c.ComPort)
        QCOMPARE(port->isChecked(), port->objectName() == button);
    QCOMPARE(rig.selectedOptions(), selected);
    QVERIFY(!rig.c.Frame1->isHidden()); // the layout stays

    rig.port.log.clear();
    rig.c.OKButton->click();
    const QString upper = settings.toUpper();
    QCOMPARE(rig.port.log.mid(0, 3),
             (QStringList{QStringLiteral("port %1").arg(number), "open", "settings " + upper}));
    QVERIFY(rig.dialog.isHidden());
}

// COM1 is the panel's port, open, with nothing answering; an encoder left at 19200,O,8,1
// is on COM2, a device that echoes and never answers on COM3.
void FindDialogTest::findThenOkTalksToTheEncoder() {
    Line line;
    line.attach(1, {"--no-echo", "--silent"});
    line.attach(2, {"--line", "19200,o,8,1"});
    line.attach(3, {"--silent"});
    QtSerialPort port;
    Form1 form(port, [] {});
    form.Form_Load();
    form.show();
    port.setPortOpen(true);
    SetSeriale& dialog = form.dialog();
    dialog.Setta(port);
    QTRY_VERIFY(!dialog.loadRunning());

    bool lockedWhileSearching = false;
    bool portClosedWhileSearching = false;
    QStringList ports, results, settings;
    WhenShown steps;
    steps.add("FindProgress", [&](QWidget* progress) {
        lockedWhileSearching = !form.controls().CmdPuls[0]->isEnabled();
        portClosedWhileSearching = !port.portOpen();
        picture(progress, "find-progress.png");
    });
    steps.add("FindEncoder", [&](QWidget* window) {
        auto* chooser = static_cast<FindEncoder*>(window);
        ports = column(chooser->FindTable, 0);
        results = column(chooser->FindTable, 2);
        settings = column(chooser->FindTable, 3);
        picture(chooser, "find-encoder.png");
        QVERIFY(chooser->CmdUse->isEnabled()); // the one found is chosen already
        chooser->CmdUse->click();
    });
    dialog.controls.CmdFind->click();

    QVERIFY(lockedWhileSearching);
    QVERIFY(portClosedWhileSearching);
    QCOMPARE(ports, (QStringList{"COM1", "COM2", "COM3"}));
    QCOMPARE(results[0], "no answer (48 settings tried)");
    QVERIFY2(results[1].startsWith("found, position "), qPrintable(results[1]));
    QCOMPARE(results[2], "echoes but does not answer POS");
    QCOMPARE(settings.mid(1), (QStringList{"19200,O,8,1", "9600,n,8,1"}));
    QVERIFY(form.controls().CmdPuls[0]->isEnabled());
    // Until OK nothing is applied; the panel's port is back as it was.
    QVERIFY(port.portOpen());
    QCOMPARE(port.commPort(), 1);
    QCOMPARE(port.settings(), QStringLiteral("9600,n,8,1"));
    QVERIFY(dialog.controls.ComPort[1]->isChecked());
    QVERIFY(dialog.controls.Baud192->isChecked());
    QVERIFY(dialog.controls.OddParity->isChecked());

    dialog.controls.OKButton->click();
    QVERIFY(dialog.isHidden());
    QCOMPARE(port.commPort(), 2);
    QCOMPARE(port.settings(), QStringLiteral("19200,O,8,1"));
    QString command = QStringLiteral("POS");
    form.Tx(command, Tipo::Position);
    QCOMPARE(form.RispostaOk(), quint8(1));
}

void FindDialogTest::cancelStopsTheSearchAndTheDialogKeepsItsChoices() {
    Line line;
    for (int com = 1; com <= 4; ++com)
        line.attach(com, {"--no-echo", "--silent"});
    QtSerialPort port;
    MessageCatcher messages;
    Form1 form(port, [] {});
    form.Form_Load();
    SetSeriale& dialog = form.dialog();
    dialog.Setta(port);
    QTRY_VERIFY(!dialog.loadRunning());
    dialog.controls.Baud48->click();

    QElapsedTimer stopping;
    qint64 stopped = -1;
    QStringList results;
    WhenShown steps;
    steps.add("FindProgress", [&](QWidget* progress) {
        QTimer::singleShot(300, progress, [&, progress] {
            stopping.start();
            progress->findChild<QPushButton*>("CmdCancelFind")->click();
        });
    });
    steps.add("FindEncoder", [&](QWidget* window) {
        stopped = stopping.elapsed();
        auto* chooser = static_cast<FindEncoder*>(window);
        results = column(chooser->FindTable, 2);
        QVERIFY(!chooser->CmdUse->isEnabled());
        chooser->reject();
    });
    dialog.controls.CmdFind->click();

    QCOMPARE(results.size(), 4);
    for (const QString& result : std::as_const(results))
        QVERIFY2(result.startsWith("stopped ("), qPrintable(result));
    // The tries under way end first: one character's pacing at most.
    QVERIFY2(stopped >= 0 && stopped < 500, qPrintable(QString::number(stopped)));
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.controls.Baud48->isChecked());
    QCOMPARE(messages.texts, QStringList());
    for (int com = 1; com <= 4; ++com)
        QVERIFY2(!lockFileFor(line.link(com)), qPrintable(line.link(com)));
}

// A log-out or Ctrl+C ends the program from inside the search: its ports are closed first.
void FindDialogTest::endingTheProgramMidwayClosesEveryPort() {
    Line line;
    for (int com = 1; com <= 3; ++com)
        line.attach(com, {"--no-echo", "--silent"});
    QtSerialPort port;
    bool lockedBefore = false, lockedAtEnd = true;
    Form1 form(port, [&] {
        lockedAtEnd = false;
        for (int com = 1; com <= 3; ++com)
            lockedAtEnd = lockedAtEnd || lockFileFor(line.link(com));
    });
    form.Form_Load();
    SetSeriale& dialog = form.dialog();
    dialog.Setta(port);
    QTRY_VERIFY(!dialog.loadRunning());
    WhenShown steps;
    steps.add("FindProgress", [&](QWidget* progress) {
        QTimer::singleShot(300, progress, [&] {
            lockedBefore = lockFileFor(line.link(2));
            form.Form_QueryUnload();
        });
    });
    steps.add("FindEncoder", [](QWidget* chooser) { static_cast<QDialog*>(chooser)->reject(); });
    dialog.controls.CmdFind->click();
    QVERIFY(lockedBefore);
    QVERIFY(!lockedAtEnd);
}

QTEST_MAIN(FindDialogTest)
#include "tst_find_dialog.moc"
