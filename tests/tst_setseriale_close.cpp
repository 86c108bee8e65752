#include "DialogRig.h"

#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QString NotANumber = QStringLiteral(
    "\"%1\" is not a COM port number. Choose a port from the list or type its number.");

} // namespace

// How the dialog ends: OK applies the choices to the port, a double click on a port applies
// at once, Cancel and the window's close only hide it.
class SetSerialeCloseTest : public QObject {
    Q_OBJECT
private slots:
    void okApplies_data();
    void okApplies();
    void doubleClickAppliesAtOnce();
    void cancelAndCloseOnlyHide_data();
    void cancelAndCloseOnlyHide();
};

void SetSerialeCloseTest::okApplies_data() {
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

void SetSerialeCloseTest::okApplies() {
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

void SetSerialeCloseTest::doubleClickAppliesAtOnce() {
    DialogRig rig;
    rig.dialog.Setta(rig.port);
    rig.port.log.clear();
    DialogRig::doubleClick(rig.c.ComPort[2]);
    QCOMPARE(rig.port.log, (QStringList{"port 3", "open", "settings 9600,N,8,1", "flow 1"}));
    QVERIFY(!rig.dialog.isVisible());
    QCOMPARE(rig.c.Combo1->currentText(), QStringLiteral("3"));
}

void SetSerialeCloseTest::cancelAndCloseOnlyHide_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("Cancel") << 0;
    QTest::newRow("close box") << 1;
    QTest::newRow("Escape") << 2;
}

void SetSerialeCloseTest::cancelAndCloseOnlyHide() {
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

QTEST_MAIN(SetSerialeCloseTest)
#include "tst_setseriale_close.moc"
