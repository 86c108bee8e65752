#include "MessageCatcher.h"
#include "ScriptedPanel.h"
#include "panel/Form1.h"
#include "platform/Colors.h"
#include "settings/SetSeriale.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
const QChar DC1(17);
}

class ExchangeTest : public QObject {
    Q_OBJECT

private slots:
    void framesAndPacesTheCommand();
    void emptyCommandSendsPrefixAndReturn();
    void classifiesTheReply_data();
    void classifiesTheReply();
    void extractsThePosition_data();
    void extractsThePosition();
    void noEchoStillCollectsTheReply();
    void lateEchoResetsTheLine();
    void keepsTheHistoryNewestFirst();
    void cutsTheHistoryAt640();
    void reportsAPortFailureOnce();
    void failureDuringCollectingClosesThePort();
};

void ExchangeTest::framesAndPacesTheCommand() {
    ScriptedPanel rig;
    rig.port.script.reply = QStringLiteral("\r1234\n>") + DC1;
    QCOMPARE(rig.send("POS", Tipo::Position), QStringLiteral("|POS"));
    QCOMPARE(rig.port.wire, QStringLiteral("|POS\r"));
    // One character every 50 ms, the CR after one more pause: (n + 1) x 50 ms.
    QCOMPARE(rig.port.sentAt, (QList<qint64>{0, 50, 100, 150, 250}));
    QCOMPARE(rig.port.now, 300); // one collecting wait for a device that answers at once
    QCOMPARE(rig.c.TxtSended->text(), QStringLiteral("|POS"));
    QVERIFY(rig.port.portOpen());
    QVERIFY(rig.c.LblTx->isHidden());
    QVERIFY(rig.c.LblRx->isHidden());
}

void ExchangeTest::emptyCommandSendsPrefixAndReturn() {
    ScriptedPanel rig;
    rig.port.script.reply = QStringLiteral(">") + DC1;
    rig.send("");
    QCOMPARE(rig.port.wire, QStringLiteral("|\r"));
}

void ExchangeTest::classifiesTheReply_data() {
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("handshaking");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<int>("ok");
    QTest::addColumn<QString>("act");
    QTest::addColumn<QString>("dump");
    QTest::addColumn<int>("reads");

    const QString ok = QStringLiteral("\r\n>") + DC1;
    QTest::newRow("acknowledged") << ok << 0 << ">" << 49152u << 1 << "|ZERO   ......   >"
                                  << "D A 3E 11 " << 1;
    QTest::newRow("unknown") << QStringLiteral("\r\n?") + DC1 << 0 << "?" << 65535u << 0
                             << "|ZERO   ......   ?"
                             << "D A 3F 11 " << 1;
    QTest::newRow("bad value beats unknown")
        << QStringLiteral("\r\n!?") + DC1 << 0 << "!?" << 255u << 0 << "|ZERO   ......   !?"
        << "D A 21 3F 11 " << 1;
    QTest::newRow("other text shown whole")
        << QStringLiteral("abc") + DC1 << 0 << "abc" << 16576u << 0 << "|ZERO   ......   abc"
        << "61 62 63 11 " << 1;
    QTest::newRow("one character trims to nothing")
        << "x" << 0 << "" << 0u << 0 << "|ZERO   ......   ----"
        << "78 " << 15;
    QTest::newRow("no reply") << "" << 0 << "" << 0u << 0 << "|ZERO   ......   ----"
                              << "" << 15;
    QTest::newRow("> without DC1 gives up and still counts")
        << "\r\n>" << 0 << ">" << 49152u << 1 << "|ZERO   ......   >"
        << "D A 3E 3C " << 15;
    QTest::newRow("unterminated text loses its last character")
        << "abc" << 0 << "ab" << 16576u << 0 << "|ZERO   ......   ab"
        << "61 62 63 " << 15;
    QTest::newRow("xon/xoff stops at >")
        << "\r\n>" << 1 << ">" << 49152u << 1 << "|ZERO   ......   >"
        << "D A 3E " << 1;
    QTest::newRow("rts keeps the DC1")
        << ok << 2 << QStringLiteral("\r\n>") + DC1 << 16576u << 0
        << QStringLiteral("|ZERO   ......   \r\n>") + DC1 << "D A 3E 11 " << 1;
    QTest::newRow("both keep the appended <")
        << "\r\n>" << 3 << "\r\n><" << 16576u << 0 << "|ZERO   ......   \r\n><"
        << "D A 3E 3C " << 15;
}

void ExchangeTest::classifiesTheReply() {
    QFETCH(QString, reply);
    QFETCH(int, handshaking);
    ScriptedPanel rig;
    rig.acknowledged(true);
    rig.port.reads = 0;
    rig.port.script.reply = reply;
    rig.port.setHandshaking(handshaking);
    rig.send("ZERO");
    QTEST(rig.c.LblReceived->text(), "shown");
    QTEST(Colors::backColor(rig.c.LblReceived), "colour");
    QTEST(int(rig.form.RispostaOk()), "ok");
    QTEST(rig.c.LblAct->text(), "act");
    QTEST(rig.c.Label2->text(), "dump");
    QTEST(rig.port.reads - 1, "reads"); // the first read took the echo
    QVERIFY(rig.c.LblPos->text().isEmpty());
}

void ExchangeTest::extractsThePosition_data() {
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("position");
    QTest::newRow("framed") << QStringLiteral("\r1234\n>") + DC1 << "1234";
    QTest::newRow("no CR") << QStringLiteral("1234>") + DC1 << "";
    QTest::newRow("no LF") << QStringLiteral("xx\r77>") + DC1 << QStringLiteral("77>") + DC1;
    QTest::newRow("first CR counts") << QStringLiteral("\r1\r2\n>") + DC1 << "1\r2";
}

void ExchangeTest::extractsThePosition() {
    QFETCH(QString, reply);
    ScriptedPanel rig;
    rig.port.script.reply = reply;
    rig.send("POS", Tipo::Position);
    QTEST(rig.c.LblPos->text(), "position");
}

void ExchangeTest::noEchoStillCollectsTheReply() {
    ScriptedPanel rig;
    rig.port.script.echo = false;
    rig.port.script.reply = QStringLiteral("\r\n>") + DC1;
    rig.port.setHandshaking(1);
    rig.port.handshakeLog.clear();
    rig.send("POS", Tipo::Position);
    QCOMPARE(rig.c.TxtSended->text(), QStringLiteral("NO ECHO !!"));
    QCOMPARE(rig.port.wire, QStringLiteral("|POS\r"));
    // Flow control off for the grace wait, then back to FlussoMem, which is 0 at start.
    QCOMPARE(rig.port.handshakeLog, (QList<int>{0, 0}));
    QCOMPARE(rig.port.sentAt.last(), 250 + 300);
    QCOMPARE(rig.c.LblReceived->text(), QStringLiteral(">"));
}

void ExchangeTest::lateEchoResetsTheLine() {
    ScriptedPanel rig;
    rig.port.script.echoDelay = 150;
    rig.port.script.reply = QStringLiteral("\r\n>") + DC1;
    rig.serialLineClosedWith(Flow::RtsCts);
    rig.port.setSettings("19200,E,7,2");
    rig.send("");
    QCOMPARE(rig.c.TxtSended->text(), QStringLiteral("|"));
    QCOMPARE(rig.port.settings(), SerialPort::SafeSettings);
    QCOMPARE(rig.port.handshaking(), 2);
    QCOMPARE(rig.port.sentAt.last(), 100 + 300 + 300); // CR after both grace waits
}

void ExchangeTest::keepsTheHistoryNewestFirst() {
    ScriptedPanel rig;
    rig.port.script.reply = QStringLiteral("\r1\n>") + DC1;
    rig.send("POS", Tipo::Position);
    QCOMPARE(rig.c.LblBack->text(), QStringLiteral("\n"));
    rig.send("POS", Tipo::Position);
    QCOMPARE(rig.c.LblBack->text(), QStringLiteral("|POS   ......   >\n\n"));
}

void ExchangeTest::cutsTheHistoryAt640() {
    ScriptedPanel rig;
    rig.port.script.reply = QStringLiteral(">") + DC1;
    rig.c.LblAct->setText(QString(700, u'x'));
    rig.send("Z");
    QCOMPARE(rig.c.LblBack->text(), QString(640, u'x'));
}

void ExchangeTest::reportsAPortFailureOnce() {
    ScriptedPanel rig;
    MessageCatcher catcher;
    rig.port.script.openFailure = QStringLiteral("COM3 (/dev/ttyUSB0): device not found");
    rig.c.ChkCont->setChecked(true);
    rig.form.BloccaTasti();
    rig.send("POS", Tipo::Position);
    QCOMPARE(catcher.texts, QStringList{QStringLiteral(
                                "Serial error:     COM3 (/dev/ttyUSB0): device not found")});
    QCOMPARE(catcher.icons, QList<QMessageBox::Icon>{QMessageBox::Critical});
    QCOMPARE(catcher.titles, QStringList{QStringLiteral("Zintor")});
    QVERIFY(!rig.c.ChkCont->isChecked());
    for (QPushButton* b : rig.c.CmdPuls)
        QVERIFY(b->isEnabled());
    QVERIFY(rig.port.wire.isEmpty());
}

void ExchangeTest::failureDuringCollectingClosesThePort() {
    ScriptedPanel rig;
    MessageCatcher catcher;
    rig.port.script.reply = QStringLiteral("\r12");
    rig.port.script.failAtRead = 3;
    rig.send("POS", Tipo::Position);
    QVERIFY(!rig.port.portOpen());
    QCOMPARE(catcher.texts.size(), 1);
    QVERIFY(catcher.texts[0].endsWith(QStringLiteral("device gone")));
    QVERIFY(!rig.c.LblRx->isHidden()); // the display keeps its state at the failure
}

QTEST_MAIN(ExchangeTest)
#include "tst_exchange.moc"
