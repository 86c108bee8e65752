#include "MessageCatcher.h"
#include "SimPanel.h"
#include "platform/Colors.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTest>
#include <algorithm>
#include <unistd.h>

namespace {

constexpr const char* PosButton = "POS";
constexpr const char* StpButton = "STP";
// The longest a four-letter command's exchange may wait: five 50 ms pauses while sending,
// both 300 ms echo grace periods and fifteen reads 50 ms apart.
constexpr qint64 ExchangeLimitMs = 5 * 50 + 2 * 300 + 15 * 50;
// Room for a loaded machine on top of the exchange's own waits.
constexpr qint64 SlackMs = 1000;
const QString OtherSettings = QStringLiteral("4800,n,8,1");
const QString Dc3 = QString(QChar(19));

// Presses a command button as the operator does; returns how long the press took.
qint64 press(SimPanel& panel, const char* word) {
    QElapsedTimer clock;
    clock.start();
    panel.c.command(word)->click();
    return clock.elapsed();
}

bool buttonsEnabled(const SimPanel& panel) {
    return std::all_of(panel.c.CmdPuls.begin(), panel.c.CmdPuls.end(),
                       [](const QPushButton* b) { return b->isEnabled(); });
}

QString errorPrefix(const SimPanel& panel) {
    return QStringLiteral("Serial error:     COM1 (%1): ").arg(panel.path("com1"));
}

// The fault gone, a device on a fresh line answers the next press and nothing is reported.
// Last in a test: a failed check ends only this helper.
void expectNextExchangeWorks(SimPanel& panel, const MessageCatcher& catcher) {
    const qsizetype reported = catcher.texts.size();
    panel.port.setPortOpen(false); // its terminal goes with the faulty simulator
    panel.start();
    press(panel, PosButton);
    QCOMPARE(panel.c.LblReceived->text(), QStringLiteral(">"));
    QCOMPARE(catcher.texts.size(), reported);
}

} // namespace

class EndToEndFaultTest : public QObject {
    Q_OBJECT
private slots:
    void faultyAnswerIsShownAsItCame_data();
    void faultyAnswerIsShownAsItCame();
    void floodArrivesWhole();
    void outputHeldByXoffIsReleasedByTheEchoCheck();
    void hangUpMidAnswerIsReportedOnce_data();
    void hangUpMidAnswerIsReportedOnce();
    void busyPortIsReported_data();
    void busyPortIsReported();
    void deviceRemovedWhileOpenIsToldWhenTheLineDrops();
};

void EndToEndFaultTest::faultyAnswerIsShownAsItCame_data() {
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<int>("flow");
    QTest::addColumn<QString>("echo");
    QTest::addColumn<QString>("received"); // a pattern for the whole caption
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<QString>("settings");
    QTest::addColumn<int>("flowAfter");
    QTest::addColumn<int>("atLeastMs");
    QTest::addColumn<int>("atMostMs");

    // Flow control 1 is the start-up state. When the echo check turns it off, it puts back
    // the flow control kept by the panel, which is 0 until the settings dialog has closed.
    QTest::newRow("no echo") << QStringList{"--no-echo"} << 1 << "NO ECHO !!"
                             << ">" << 49152u << OtherSettings << 0 << 550 << 1300;
    QTest::newRow("late echo") << QStringList{"--late-echo", "150"} << 1 << "|POS"
                               << ">" << 49152u << SerialPort::SafeSettings << 0 << 850 << 1600;
    QTest::newRow("no DC1, XON/XOFF") << QStringList{"--no-dc1"} << 1 << "|POS"
                                      << ">" << 49152u << OtherSettings << 1 << 300 << 1000;
    QTest::newRow("no DC1, no flow control") << QStringList{"--no-dc1"} << 0 << "|POS"
                                             << ">" << 49152u << OtherSettings << 0 << 1000 << 1000;
    // 40 bytes without DC1: all but the last are shown, on the colour of an unknown answer.
    QTest::newRow("garbage") << QStringList{"--garbage"} << 0 << "|POS"
                             << "(?s).{39}" << 16576u << OtherSettings << 0 << 1000 << 1000;
    QTest::newRow("silent") << QStringList{"--silent"} << 1 << "|POS"
                            << "" << 0u << OtherSettings << 1 << 1000 << 1000;
    QTest::newRow("slow, in time") << QStringList{"--slow", "400"} << 1 << "|POS"
                                   << ">" << 49152u << OtherSettings << 1 << 650 << 1000;
    QTest::newRow("slow, too late") << QStringList{"--slow", "1500"} << 1 << "|POS"
                                    << "" << 0u << OtherSettings << 1 << 1000 << 1000;
}

void EndToEndFaultTest::faultyAnswerIsShownAsItCame() {
    QFETCH(QStringList, faults);
    QFETCH(int, flow);
    QFETCH(QString, echo);
    QFETCH(QString, received);
    QFETCH(quint32, colour);
    QFETCH(QString, settings);
    QFETCH(int, flowAfter);
    QFETCH(int, atLeastMs);
    QFETCH(int, atMostMs);

    SimPanel panel(faults);
    MessageCatcher catcher;
    panel.port.setSettings(OtherSettings);
    panel.port.setHandshaking(flow);
    const qint64 elapsed = press(panel, PosButton);
    QVERIFY2(elapsed >= atLeastMs && elapsed <= atMostMs + SlackMs,
             qPrintable(QString::number(elapsed)));
    QCOMPARE(panel.wire(), QStringLiteral("|POS\r"));
    QCOMPARE(panel.c.TxtSended->text(), echo);
    const QString shown = panel.c.LblReceived->text();
    QVERIFY2(
        QRegularExpression(QRegularExpression::anchoredPattern(received)).match(shown).hasMatch(),
        qPrintable(shown));
    QCOMPARE(Colors::backColor(panel.c.LblReceived), colour);
    QVERIFY(panel.c.LblAct->text().endsWith(shown.isEmpty() ? QStringLiteral("----") : shown));
    QCOMPARE(int(panel.form.RispostaOk()), int(shown == u">"));
    QCOMPARE(panel.port.settings(), settings);
    QCOMPARE(panel.port.handshaking(), flowAfter);
    QVERIFY(buttonsEnabled(panel));
    QVERIFY(catcher.texts.isEmpty());

    expectNextExchangeWorks(panel, catcher);
}

void EndToEndFaultTest::floodArrivesWhole() {
    SimPanel panel({"--flood", "65536"});
    MessageCatcher catcher;
    QVERIFY(press(panel, PosButton) <= ExchangeLimitMs + SlackMs);
    QCOMPARE(panel.c.LblReceived->text(), QStringLiteral(">"));
    // Every junk byte and the ">" are in the dump; XON/XOFF took the DC1.
    const QString dump = panel.c.Label2->text();
    QCOMPARE(dump.count(u' '), 65536 + 1);
    QVERIFY(dump.startsWith(QStringLiteral("41 42 43 ")));
    QVERIFY(dump.endsWith(QStringLiteral("4E 4F 50 3E ")));
    QVERIFY(catcher.texts.isEmpty());

    expectNextExchangeWorks(panel, catcher);
}

void EndToEndFaultTest::outputHeldByXoffIsReleasedByTheEchoCheck() {
    SimPanel panel({"--xoff"});
    MessageCatcher catcher;
    // A DC3 rides ahead of the echo of "|": under XON/XOFF the rest of the command and its
    // carriage return are held, so no answer comes.
    QVERIFY(press(panel, PosButton) <= ExchangeLimitMs + SlackMs);
    QCOMPARE(panel.wire(), QStringLiteral("|"));
    QCOMPARE(panel.c.TxtSended->text(), QStringLiteral("|"));
    QCOMPARE(panel.c.LblReceived->text(), QString());
    QVERIFY(panel.c.LblAct->text().endsWith(QStringLiteral("----")));

    // Nothing echoes while output is held. The echo check turns flow control off, which
    // lets the command out; its echo, DC3 included, arrives late.
    QVERIFY(press(panel, PosButton) <= ExchangeLimitMs + SlackMs);
    QCOMPARE(panel.wire(), QStringLiteral("||POS\r"));
    QCOMPARE(panel.c.TxtSended->text(), Dc3 + QStringLiteral("|POS"));
    QCOMPARE(panel.c.LblReceived->text(), QStringLiteral(">"));
    QCOMPARE(panel.port.handshaking(), 0);
    QCOMPARE(panel.port.settings(), SerialPort::SafeSettings);
    QVERIFY(buttonsEnabled(panel));
    QVERIFY(catcher.texts.isEmpty());

    expectNextExchangeWorks(panel, catcher);
}

void EndToEndFaultTest::hangUpMidAnswerIsReportedOnce_data() {
    QTest::addColumn<QString>("answered"); // complete answers before the half one
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("reports");
    QTest::addColumn<QString>("ns"); // what the listing left in TxtNS

    QTest::newRow("half a position") << "0" << PosButton << 1 << "";
    // STP still sends its POS, which finds the device gone.
    QTest::newRow("half a listing") << "0" << StpButton << 2 << "";
    QTest::newRow("listing, then half a position") << "1" << StpButton << 1 << "8192";
}

void EndToEndFaultTest::hangUpMidAnswerIsReportedOnce() {
    QFETCH(QString, answered);
    QFETCH(QString, button);
    QFETCH(int, reports);
    QFETCH(QString, ns);

    SimPanel panel({"--hangup-after", answered});
    MessageCatcher catcher;
    const int exchanges = button == StpButton ? 2 : 1;
    QVERIFY(press(panel, qPrintable(button)) <= exchanges * ExchangeLimitMs + SlackMs);
    QCOMPARE(catcher.texts.size(), reports);
    for (const QString& text : std::as_const(catcher.texts))
        QVERIFY2(text.startsWith(errorPrefix(panel)), qPrintable(text));
    QVERIFY2(catcher.texts.first().contains(QStringLiteral("hang-up")),
             qPrintable(catcher.texts.first()));
    QCOMPARE(catcher.icons.first(), QMessageBox::Critical);
    QCOMPARE(panel.c.TxtNS->text(), ns);
    QVERIFY(!panel.port.portOpen());
    QVERIFY(buttonsEnabled(panel));

    expectNextExchangeWorks(panel, catcher);
}

void EndToEndFaultTest::busyPortIsReported_data() {
    QTest::addColumn<bool>("byLink"); // else by the terminal's own name
    // QSerialPort locks the name it opens with a lock file, then the terminal with TIOCEXCL.
    QTest::newRow("same name, lock file") << true;
    QTest::newRow("other name, TIOCEXCL") << false;
}

void EndToEndFaultTest::busyPortIsReported() {
    QFETCH(bool, byLink);

    SimPanel panel;
    MessageCatcher catcher;
    const QString link = panel.path("com1");
    {
        QSerialPort other; // another program on the same device
        other.setPortName(byLink ? link : QFileInfo(link).symLinkTarget());
        QVERIFY(other.open(QIODevice::ReadWrite));
        QVERIFY(press(panel, PosButton) <= SlackMs);
    }
    QCOMPARE(catcher.texts.size(), 1);
    QVERIFY2(catcher.texts.first().startsWith(errorPrefix(panel)),
             qPrintable(catcher.texts.first()));
    QVERIFY2(catcher.texts.first().contains(QStringLiteral("in use by another program")),
             qPrintable(catcher.texts.first()));
    QCOMPARE(panel.wire(), QString());
    QVERIFY(!panel.port.portOpen());
    QVERIFY(buttonsEnabled(panel));

    expectNextExchangeWorks(panel, catcher);
}

void EndToEndFaultTest::deviceRemovedWhileOpenIsToldWhenTheLineDrops() {
    SimPanel panel;
    MessageCatcher catcher;
    press(panel, PosButton);
    // As when an adapter's device node goes: the open port still reaches the device.
    QVERIFY(QFile::remove(panel.path("com1")));
    press(panel, PosButton);
    QCOMPARE(panel.c.LblReceived->text(), QStringLiteral(">"));
    QCOMPARE(panel.wire(), QStringLiteral("|POS\r|POS\r"));

    panel.line.stop();
    QVERIFY(press(panel, PosButton) <= SlackMs);
    QCOMPARE(catcher.texts.size(), 1);
    QVERIFY2(catcher.texts.first().startsWith(errorPrefix(panel) + QStringLiteral("device gone")),
             qPrintable(catcher.texts.first()));
    QVERIFY(!panel.port.portOpen());

    expectNextExchangeWorks(panel, catcher);
}

QTEST_MAIN(EndToEndFaultTest)
#include "tst_e2e_faults.moc"
