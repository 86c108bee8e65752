#include "DialogRig.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

const QString NotANumber = QStringLiteral(
    "\"%1\" is not a COM port number. Choose a port from the list or type its number.");

QStringList sorted(QStringList names) {
    names.sort();
    return names;
}

QString fields(const SetSeriale& d) {
    return QStringList{d.Velocita, d.Parita, d.BitDati, d.BitStop, QString::number(d.Flusso)}.join(
        u',');
}

} // namespace

class SetSerialeModelTest : public QObject {
    Q_OBJECT
private slots:
    void settaLoadsTheChoices_data();
    void settaLoadsTheChoices();
    void optionStoresItsValue_data();
    void optionStoresItsValue();
    void loadRestoresThePort_data();
    void loadRestoresThePort();
    void okApplies_data();
    void okApplies();
    void doubleClickAppliesAtOnce();
    void cancelAndCloseOnlyHide_data();
    void cancelAndCloseOnlyHide();
    void inputWaitsForTheProbe_data();
    void inputWaitsForTheProbe();
};

void SetSerialeModelTest::settaLoadsTheChoices_data() {
    QTest::addColumn<QString>("earlier");
    QTest::addColumn<int>("earlierFlow");
    QTest::addColumn<QString>("settings");
    QTest::addColumn<int>("flow");
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QString>("fields");

    QTest::newRow("as the panel configures it")
        << "9600,n,8,1" << 1 << "9600,n,8,1" << 1
        << QStringList{"Baud96", "NoParity", "Data8", "Stop1", "XonFlow", "EchoOff"}
        << "9600,N,8,1,1";
    QTest::newRow("the other choices")
        << "9600,n,8,1" << 1 << "115200,E,7,2" << 3
        << QStringList{"Baud1152", "EvenParity", "Data7", "Stop2", "BothFlow", "EchoOff"}
        << "115200,E,7,2,3";
    QTest::newRow("odd, no flow") << "9600,n,8,1" << 1 << "300,o,8,1" << 0
                                  << QStringList{"Baud3", "OddParity", "Data8",
                                                 "Stop1", "NoFlow",    "EchoOff"}
                                  << "300,O,8,1,0";
    QTest::newRow("values without option keep the earlier ones")
        << "19200,o,7,2" << 2 << "57600,m,5,1.5" << 2
        << QStringList{"Baud192", "OddParity", "Data7", "Stop1", "RTSFlow", "EchoOff"}
        << "19200,O,7,1,2";
    QTest::newRow("no comma: only the rate")
        << "4800,e,7,2" << 0 << "9600" << 0
        << QStringList{"Baud96", "EvenParity", "Data7", "Stop2", "NoFlow", "EchoOff"}
        << "9600,E,7,2,0";
}

void SetSerialeModelTest::settaLoadsTheChoices() {
    QFETCH(QString, earlier);
    QFETCH(int, earlierFlow);
    QFETCH(QString, settings);
    QFETCH(int, flow);
    DialogRig rig;
    rig.port.setSettings(earlier);
    rig.port.setHandshaking(earlierFlow);
    rig.dialog.Setta(rig.port);
    rig.c.EchoOn->click(); // the next showing selects "Off" again
    rig.c.CancelButton->click();
    rig.port.setSettings(settings);
    rig.port.setHandshaking(flow);

    rig.dialog.Setta(rig.port);
    QVERIFY(rig.dialog.isVisible());
    QFETCH(QStringList, selected);
    QCOMPARE(rig.selectedOptions(), sorted(selected));
    QTEST(fields(rig.dialog), "fields");
}

void SetSerialeModelTest::optionStoresItsValue_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("fields");
    // Start: the port's "9600,n,8,1" with XON/XOFF.
    const QList<std::pair<const char*, const char*>> rows{
        {"Baud3", "300,N,8,1,1"},       {"Baud6", "600,N,8,1,1"},
        {"Baud12", "1200,N,8,1,1"},     {"Baud24", "2400,N,8,1,1"},
        {"Baud48", "4800,N,8,1,1"},     {"Baud96", "9600,N,8,1,1"},
        {"Baud192", "19200,N,8,1,1"},   {"Baud1152", "115200,N,8,1,1"},
        {"Data7", "9600,N,7,1,1"},      {"Data8", "9600,N,8,1,1"},
        {"Stop1", "9600,N,8,1,1"},      {"Stop2", "9600,N,8,2,1"},
        {"NoParity", "9600,N,8,1,1"},   {"OddParity", "9600,O,8,1,1"},
        {"EvenParity", "9600,E,8,1,1"}, {"NoFlow", "9600,N,8,1,0"},
        {"XonFlow", "9600,N,8,1,1"},    {"RTSFlow", "9600,N,8,1,2"},
        {"BothFlow", "9600,N,8,1,3"},   {"EchoOn", "9600,N,8,1,1"},
    };
    for (const auto& [option, result] : rows)
        QTest::newRow(option) << option << result;
}

void SetSerialeModelTest::optionStoresItsValue() {
    QFETCH(QString, option);
    DialogRig rig;
    rig.dialog.Setta(rig.port);
    rig.c.AdvButton->click();
    QTest::mouseClick(rig.option(option), Qt::LeftButton);
    QVERIFY(rig.option(option)->isChecked());
    QTEST(fields(rig.dialog), "fields");
}

void SetSerialeModelTest::loadRestoresThePort_data() {
    QTest::addColumn<bool>("open");
    QTest::newRow("closed") << false;
    QTest::newRow("open") << true;
}

void SetSerialeModelTest::loadRestoresThePort() {
    QFETCH(bool, open);
    DialogRig rig;
    rig.port.setCommPort(2);
    rig.port.setSettings("4800,e,7,2");
    if (open)
        rig.port.setPortOpen(true);
    rig.port.log.clear();

    rig.dialog.Setta(rig.port);
    QCOMPARE(rig.port.commPort(), 2);
    QCOMPARE(rig.port.portOpen(), open);
    QCOMPARE(rig.port.settings(), QStringLiteral("4800,e,7,2"));
    QStringList restore{"port 2", "settings 4800,e,7,2"};
    if (open)
        restore.append("open");
    QCOMPARE(rig.port.log.mid(rig.port.log.size() - restore.size()), restore);
    QCOMPARE(rig.port.log.first(), open ? QStringLiteral("close") : QStringLiteral("port 1"));
    // Found although it was open, and chosen.
    QCOMPARE(rig.c.ComPort[1]->text(), QStringLiteral("2"));
    QVERIFY(rig.c.ComPort[1]->isChecked());
    QCOMPARE(rig.c.Combo1->currentText(), QStringLiteral("2"));
    QCOMPARE(rig.dialog.NumPorta, qint16(2));
}

void SetSerialeModelTest::okApplies_data() {
    QTest::addColumn<QList<int>>("present");
    QTest::addColumn<bool>("open");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("button"); // 0: the number is typed
    QTest::addColumn<QString>("settingsFailure");
    QTest::addColumn<QString>("flowFailure");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("openAfter");

    const QList<int> two{1, 2};
    const QString settings = QStringLiteral("settings 9600,N,8,1");
    QTest::newRow("same port, closed stays closed")
        << two << false << "1" << 0 << ""
        << "" << QStringList{settings, "flow 1"} << "" << 1 << false;
    QTest::newRow("same port, open stays open")
        << two << true << "1" << 0 << ""
        << "" << QStringList{settings, "flow 1"} << "" << 1 << true;
    QTest::newRow("other port opens from closed")
        << two << false << "2" << 0 << ""
        << "" << QStringList{"port 2", "open", settings, "flow 1"} << "" << 2 << true;
    QTest::newRow("other port by its button")
        << two << true << "" << 2 << ""
        << "" << QStringList{"close", "port 2", "open", settings, "flow 1"} << "" << 2 << true;
    QTest::newRow("number refused: old number, closed")
        << two << true << "300" << 0 << ""
        << "" << QStringList{"close", "port 1"} << "COM300: no such port number" << 1 << false;
    QTest::newRow("typed text not a number")
        << two << true << "abc" << 0 << ""
        << "" << QStringList{"close", "port 1"} << NotANumber.arg("abc") << 1 << false;
    // A pasted page of text is cut in the message, as printed text is.
    QTest::newRow("typed text of 2,000 characters")
        << two << true << QString(2000, u'x') << 0 << ""
        << "" << QStringList{"close", "port 1"}
        << QString(NotANumber)
               .replace(QStringLiteral("\"%1\""), QStringLiteral("\"%1…\" (2,000 characters)"))
               .arg(QString(60, u'x'))
        << 1 << false;
    QTest::newRow("typed number beyond 16 bits")
        << two << true << "70000" << 0 << ""
        << "" << QStringList{"close", "port 1"} << NotANumber.arg("70000") << 1 << false;
    QTest::newRow("open fails: new number, settings, no flow")
        << two << true << "5" << 0 << ""
        << "" << QStringList{"close", "port 5", settings} << "COM5: device not found" << 5 << false;
    QTest::newRow("open and settings fail: the later error")
        << two << true << "5" << 0 << "settings refused"
        << "" << QStringList{"close", "port 5"} << "settings refused" << 5 << false;
    QTest::newRow("settings fail: no flow")
        << two << true << "1" << 0 << "settings refused"
        << "" << QStringList{} << "settings refused" << 1 << true;
    QTest::newRow("settings fail after the change")
        << two << false << "2" << 0 << "settings refused"
        << "" << QStringList{"port 2", "open"} << "settings refused" << 2 << true;
    QTest::newRow("flow fails") << two << true << "1" << 0 << ""
                                << "flow refused" << QStringList{settings} << "flow refused" << 1
                                << true;
}

void SetSerialeModelTest::okApplies() {
    QFETCH(QList<int>, present);
    QFETCH(bool, open);
    QFETCH(QString, typed);
    QFETCH(int, button);
    QFETCH(QString, message);
    DialogRig rig(present);
    if (open)
        rig.port.setPortOpen(true);
    rig.dialog.Setta(rig.port);
    QFETCH(QString, settingsFailure);
    QFETCH(QString, flowFailure);
    rig.port.settingsFailure = settingsFailure;
    rig.port.handshakingFailure = flowFailure;
    rig.port.log.clear();
    if (button)
        QTest::mouseClick(rig.c.ComPort[std::size_t(button - 1)], Qt::LeftButton);
    else
        rig.type(typed);

    QTest::mouseClick(rig.c.OKButton, Qt::LeftButton);
    QTEST(rig.port.log, "log");
    QTEST(rig.port.commPort(), "number");
    QTEST(rig.port.portOpen(), "openAfter");
    QCOMPARE(rig.dialog.isVisible(), !message.isEmpty());
    QCOMPARE(rig.messages.texts, message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty()) {
        QCOMPARE(rig.messages.icons.first(), QMessageBox::Warning);
        QCOMPARE(rig.messages.titles.first(), QStringLiteral("Zintor"));
    }
}

void SetSerialeModelTest::doubleClickAppliesAtOnce() {
    DialogRig rig;
    rig.dialog.Setta(rig.port);
    rig.port.log.clear();
    DialogRig::doubleClick(rig.c.ComPort[2]);
    QCOMPARE(rig.port.log, (QStringList{"port 3", "open", "settings 9600,N,8,1", "flow 1"}));
    QVERIFY(!rig.dialog.isVisible());
    QCOMPARE(rig.c.Combo1->currentText(), QStringLiteral("3"));
}

void SetSerialeModelTest::cancelAndCloseOnlyHide_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("Cancel") << 0;
    QTest::newRow("close box") << 1;
    QTest::newRow("Escape") << 2;
}

void SetSerialeModelTest::cancelAndCloseOnlyHide() {
    QFETCH(int, how);
    DialogRig rig;
    rig.dialog.Setta(rig.port);
    rig.port.log.clear();
    rig.c.AdvButton->click();
    rig.c.Baud192->click();
    rig.type("2");
    if (how == 0)
        QTest::mouseClick(rig.c.CancelButton, Qt::LeftButton);
    else if (how == 1)
        rig.dialog.close();
    else
        QTest::keyClick(&rig.dialog, Qt::Key_Escape);

    QVERIFY(!rig.dialog.isVisible());
    QVERIFY(rig.port.log.isEmpty());
    QCOMPARE(rig.dialog.Velocita, QStringLiteral("19200")); // kept while hidden
    QCOMPARE(rig.dialog.NumPorta, qint16(2));
    rig.dialog.Setta(rig.port);
    QCOMPARE(rig.dialog.Velocita, QStringLiteral("9600"));
    QCOMPARE(rig.dialog.NumPorta, qint16(1));
}

void SetSerialeModelTest::inputWaitsForTheProbe_data() {
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("visible");
    QTest::newRow("port button and OK") << 0 << 2 << false;
    QTest::newRow("double-click") << 1 << 2 << false;
    QTest::newRow("Cancel") << 2 << 3 << false;
}

// Input that arrives while the probe has the port on another number runs once the port is
// back on the number in use.
void SetSerialeModelTest::inputWaitsForTheProbe() {
    QFETCH(int, input);
    DialogRig rig;
    rig.port.setCommPort(3);
    rig.port.setPortOpen(true);
    bool running = false;
    int inUse = 0;
    int probed = 0;
    QTimer::singleShot(0, &rig.dialog, [&] {
        running = rig.dialog.loadRunning();
        inUse = rig.dialog.portInUse();
        probed = rig.port.commPort();
        if (input == 0) {
            QTest::mouseClick(rig.c.ComPort[1], Qt::LeftButton);
            QTest::mouseClick(rig.c.OKButton, Qt::LeftButton);
        } else if (input == 1) {
            DialogRig::doubleClick(rig.c.ComPort[1]);
        } else {
            QTest::mouseClick(rig.c.CancelButton, Qt::LeftButton);
        }
    });
    int finishedOn = 0;
    connect(&rig.dialog, &SetSeriale::loadFinished, &rig.dialog, [&] {
        QVERIFY(!rig.dialog.loadRunning());
        finishedOn = rig.port.commPort();
    });
    rig.port.log.clear();
    rig.dialog.Setta(rig.port);

    QVERIFY(running);
    QTEST(finishedOn, "number"); // the held input has run by then
    QCOMPARE(inUse, 3);
    QCOMPARE(probed, 1);
    QVERIFY(!rig.dialog.loadRunning());
    QTEST(rig.dialog.portInUse(), "number");
    QTEST(rig.dialog.isVisible(), "visible");
    QVERIFY(rig.port.portOpen());
    // The probe put the port back before anything else touched it.
    const qsizetype restored = rig.port.log.indexOf("settings 9600,n,8,1");
    QCOMPARE(rig.port.log.mid(restored - 1, 3),
             (QStringList{"port 3", "settings 9600,n,8,1", "open"}));
    QCOMPARE(rig.port.log.count("port 16"), 1);
}

QTEST_MAIN(SetSerialeModelTest)
#include "tst_setseriale_model.moc"
