#include "MessageCatcher.h"
#include "ScriptedPanel.h"
#include "panel/Form1.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
const QString PosReply = QStringLiteral("\r42\n>") + QChar(17);
}

class PollingTest : public QObject {
    Q_OBJECT

    struct Rig : ScriptedPanel {
        int waits = 0;
        Rig() : ScriptedPanel(Start::Loaded) { port.script.reply = PosReply; }
        // Unticks the box from inside the n-th wait, as the operator's click would.
        void untickAtWait(int n) {
            port.onWait = [this, n] {
                if (++waits == n)
                    c.ChkCont->setChecked(false);
            };
        }
        void tick() { QTest::mouseClick(c.ChkCont, Qt::LeftButton); }
        int polls() const { return int(port.wire.count(QStringLiteral("|POS\r"))); }
    };

private slots:
    void pauseFromTheDelayText_data();
    void pauseFromTheDelayText();
    void pollsUntilUntickedThenMakesItsPause();
    void emptyDelayWaitsOneMillisecond();
    void pressDuringPollingSendsNothing();
    void failureReportsOnceAndStops();
    void tickDuringAPressWaitsForThePress();
    void releaseThatUnticksUnlocksTheButtons();
};

void PollingTest::pauseFromTheDelayText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pause");
    QTest::newRow("design text") << "2" << 2;
    QTest::newRow("half to even down") << "2.5" << 2;
    QTest::newRow("half to even up") << "3.5" << 4;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("no number") << "abc" << 0;
    QTest::newRow("negative") << "-7" << -7;
    QTest::newRow("blanks inside") << " 1 0ms" << 10;
    QTest::newRow("beyond 16 bits") << "99999" << 32767;
    QTest::newRow("far below") << "-1e9" << -32768;
    QTest::newRow("beyond doubles") << "1e999" << 32767;
    QTest::newRow("below doubles") << "0." + QString(400, u'0') + "1" << 0;
}

void PollingTest::pauseFromTheDelayText() {
    QFETCH(QString, text);
    QTEST(int(Polling::pauseFor(text)), "pause");
}

void PollingTest::pollsUntilUntickedThenMakesItsPause() {
    Rig rig;
    const int waitsPerPoll = 6 + 1;         // five pacing waits, one read, then the pause
    rig.untickAtWait(2 * waitsPerPoll + 3); // in the middle of the third exchange
    rig.tick();
    QCOMPARE(rig.polls(), 3);
    QCOMPARE(rig.port.waitsAsked.last(), qint16(2)); // the third pass still made its pause
    QCOMPARE(rig.c.LblPos->text(), QStringLiteral("42"));
    for (QPushButton* b : rig.c.CmdPuls)
        QVERIFY(b->isEnabled());
}

void PollingTest::emptyDelayWaitsOneMillisecond() {
    Rig rig;
    rig.c.TxtCont->setText("");
    rig.untickAtWait(1);
    rig.tick();
    QCOMPARE(rig.port.now, 300 + 1);
}

void PollingTest::pressDuringPollingSendsNothing() {
    Rig rig;
    rig.port.onWait = [&] {
        if (++rig.waits == 3)
            rig.c.command("ZERO")->click(); // while the first poll is sending
    };
    rig.tick();
    QCOMPARE(rig.port.wire, QStringLiteral("|POS\r"));
    QVERIFY(!rig.c.ChkCont->isChecked());
    for (QPushButton* b : rig.c.CmdPuls)
        QVERIFY(b->isEnabled()); // the loop let go of them when it ended
}

void PollingTest::failureReportsOnceAndStops() {
    Rig rig;
    MessageCatcher catcher;
    rig.port.script.openFailure = "COM1 (/dev/ttyS0): device gone";
    rig.tick();
    QCOMPARE(catcher.texts.size(), 1);
    QVERIFY(!rig.c.ChkCont->isChecked());
    QCOMPARE(rig.port.waitsAsked, QList<qint16>{2}); // only the pause after the failure
}

void PollingTest::tickDuringAPressWaitsForThePress() {
    Rig rig;
    rig.port.onWait = [&] {
        ++rig.waits;
        if (rig.waits == 2)
            rig.tick(); // while ZERO is on the wire
        if (rig.waits == 30)
            rig.c.ChkCont->setChecked(false);
    };
    rig.c.command("ZERO")->click();
    QVERIFY(rig.port.wire.startsWith(QStringLiteral("|ZERO\r")));
    QCOMPARE(rig.polls(), 0);
    QTRY_VERIFY(rig.polls() > 0); // taken up from the event loop once the press is over
    QVERIFY(rig.port.wire.startsWith(QStringLiteral("|ZERO\r|POS\r")));
}

void PollingTest::releaseThatUnticksUnlocksTheButtons() {
    Rig rig;
    rig.c.ChkCont->setChecked(true); // ticked from the keyboard: no polling starts
    rig.c.command("DEV")->click();
    QVERIFY(!rig.c.command("DEV")->isEnabled());
    rig.c.ChkCont->setChecked(true);
    rig.tick(); // this release unticks it
    QVERIFY(rig.port.wire.isEmpty());
    QVERIFY(rig.c.command("DEV")->isEnabled());
}

QTEST_MAIN(PollingTest)
#include "tst_polling.moc"
