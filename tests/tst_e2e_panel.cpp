#include "MessageCatcher.h"
#include "SimPanel.h"
#include "platform/Colors.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>

namespace {

const quint32 Face = Colors::ButtonFace;
const quint32 Green = Colors::LightGreen;

bool isNumber(const QString& text) {
    bool ok = false;
    text.toInt(&ok);
    return ok;
}

} // namespace

class EndToEndPanelTest : public QObject {
    Q_OBJECT
private slots:
    void positionExchangeShowsEveryStage();
    void everyButtonPutsItsCommandOnTheWire();
    void listingBringsTheDeviceStateIntoThePanel();
    void groupMarkFollowsTheAcknowledgement();
    void missingPortIsReportedAndTheNextExchangeWorks();
    void pollingReadsTheMovingPositionUntilUnticked();
    void hangUpDuringPollingReportsOnceAndStops();
    void pressAfterUntickingSendsOnceThePollIsOver();
};

void EndToEndPanelTest::positionExchangeShowsEveryStage() {
    SimPanel panel;
    QElapsedTimer clock;
    clock.start();
    panel.send("POS", Tipo::Position);
    QVERIFY(clock.elapsed() >= 300);
    QCOMPARE(panel.wire(), QStringLiteral("|POS\r"));
    QCOMPARE(panel.c.TxtSended->text(), QStringLiteral("|POS"));
    QCOMPARE(panel.c.LblReceived->text(), QStringLiteral(">"));
    QCOMPARE(Colors::backColor(panel.c.LblReceived), 49152u);
    QVERIFY2(isNumber(panel.c.LblPos->text()), qPrintable(panel.c.LblPos->text()));
    // XON/XOFF is on from start-up, so the port took the closing DC1 away.
    QVERIFY(panel.c.Label2->text().startsWith(QStringLiteral("D ")));
    QVERIFY(panel.c.Label2->text().endsWith(QStringLiteral("A 3E ")));
    QCOMPARE(panel.c.LblAct->text(), QStringLiteral("|POS   ......   >"));
    QCOMPARE(panel.c.LblBack->text(), QStringLiteral("\n"));
    QCOMPARE(int(panel.form.RispostaOk()), 1);
}

void EndToEndPanelTest::everyButtonPutsItsCommandOnTheWire() {
    SimPanel panel;
    const QMap<QString, QString> values{{"DEV", "3"},    {"ADDR", "3"}, {"PRST1", "10"},
                                        {"PRST2", "20"}, {"OFST", "7"}, {"NS", "4096"},
                                        {"NR", "16"}};
    QString expected;
    for (QPushButton* button : panel.c.CmdPuls) {
        const QString caption = button->text();
        if (values.contains(caption)) {
            // Set just before the press: RST and STP empty the value boxes.
            const QString box = caption == u"ADDR" ? QStringLiteral("DEV") : caption;
            panel.form.findChild<QLineEdit*>("Txt" + box)->setText(values[caption]);
            expected += u'|' + caption + u'=' + values[caption] + u'\r';
        } else {
            expected += u'|' + caption + u'\r';
        }
        if (caption == u"STP")
            expected += QStringLiteral("|POS\r");
        button->click();
        QCOMPARE(panel.wire(), expected);
        QVERIFY2(panel.c.LblReceived->text() == u">", qPrintable(caption));
    }
}

void EndToEndPanelTest::listingBringsTheDeviceStateIntoThePanel() {
    SimPanel panel;
    for (const char* word : {"BIN", "CCLW", "EVEN"})
        panel.c.command(word)->click();
    panel.c.TxtNS->setText("4096");
    panel.c.command("NS")->click();
    panel.c.TxtNR->setText("8");
    panel.c.command("NR")->click();
    panel.c.TxtOFST->setText("5");
    panel.c.command("OFST")->click();
    panel.c.TxtNS->setText("1");
    panel.c.TxtNR->setText("1");

    panel.c.command("STP")->click();
    QVERIFY(panel.wire().endsWith(QStringLiteral("|STP\r|POS\r")));
    QCOMPARE(panel.marks({"GRAY", "BIN", "BCD", "CLW", "CCLW", "EXTD", "ODD", "EVEN", "POFF"}),
             (QList<quint32>{Face, Green, Face, Face, Green, Face, Face, Green, Face}));
    QCOMPARE(panel.c.TxtNS->text(), QStringLiteral("4096"));
    QCOMPARE(panel.c.TxtNR->text(), QStringLiteral("8"));
    QCOMPARE(panel.c.TxtOFST->text(), QStringLiteral("5"));
    QCOMPARE(panel.c.LblZPV->text(), QStringLiteral("0"));
    QCOMPARE(panel.c.TxtResult[0]->text(), QStringLiteral("512"));
    QVERIFY(isNumber(panel.c.LblPos->text()));
}

void EndToEndPanelTest::groupMarkFollowsTheAcknowledgement() {
    {
        SimPanel panel;
        panel.c.command("GRAY")->click();
        QCOMPARE(panel.marks({"GRAY", "BIN", "BCD"}), (QList<quint32>{Green, Face, Face}));
    }
    SimPanel silent({"--silent"});
    silent.c.command("GRAY")->click();
    QCOMPARE(silent.wire(), QStringLiteral("|GRAY\r"));
    QCOMPARE(silent.marks({"GRAY", "BIN", "BCD"}), (QList<quint32>{Face, Face, Face}));
}

void EndToEndPanelTest::missingPortIsReportedAndTheNextExchangeWorks() {
    SimPanel panel;
    MessageCatcher catcher;
    panel.line.stop();
    QVERIFY(!QFile::exists(panel.path("com1")));
    panel.c.ChkCont->setChecked(true);
    panel.send("POS", Tipo::Position);
    QCOMPARE(catcher.texts.size(), 1);
    const QString text = catcher.texts.first();
    QVERIFY2(text.startsWith(QStringLiteral("Serial error:     COM1 (") + panel.path("com1")),
             qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("not found")), qPrintable(text));
    QVERIFY(!panel.c.ChkCont->isChecked());
    QVERIFY(!panel.port.portOpen());

    panel.start();
    panel.send("POS", Tipo::Position);
    QCOMPARE(catcher.texts.size(), 1);
    QCOMPARE(panel.c.LblReceived->text(), QStringLiteral(">"));
}

void EndToEndPanelTest::pollingReadsTheMovingPositionUntilUnticked() {
    SimPanel panel;
    QSet<QString> positions;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        if (isNumber(panel.c.LblPos->text()))
            positions.insert(panel.c.LblPos->text());
    });
    sampler.start(20);
    QTimer::singleShot(1500, [&] { QTest::mouseClick(panel.c.ChkCont, Qt::LeftButton); });
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(panel.c.ChkCont, Qt::LeftButton); // polls until the click above
    QVERIFY(clock.elapsed() >= 1500);
    QVERIFY(!panel.c.ChkCont->isChecked());
    const qsizetype polls = panel.wire().count(QStringLiteral("|POS\r"));
    QVERIFY2(polls >= 4 && polls <= 6, qPrintable(QString::number(polls)));
    QVERIFY2(positions.size() >= 3, "the position moves between reads");
    for (QPushButton* b : panel.c.CmdPuls)
        QVERIFY(b->isEnabled());
}

void EndToEndPanelTest::hangUpDuringPollingReportsOnceAndStops() {
    SimPanel panel({"--hangup-after", "2"});
    MessageCatcher catcher;
    QTimer::singleShot(5000, [&] { panel.c.ChkCont->setChecked(false); }); // a safety net
    QTest::mouseClick(panel.c.ChkCont, Qt::LeftButton);
    QCOMPARE(catcher.texts.size(), 1);
    QVERIFY2(catcher.texts.first().contains(panel.path("com1")), qPrintable(catcher.texts.first()));
    QVERIFY(!panel.c.ChkCont->isChecked());
    QCOMPARE(panel.wire().count(QStringLiteral("|POS\r")), 3);

    panel.start();
    panel.send("POS", Tipo::Position);
    QCOMPARE(catcher.texts.size(), 1);
    QCOMPARE(panel.c.LblReceived->text(), QStringLiteral(">"));
}

// Unticked while a poll collects its answer, then a press: the buttons lock at once, and
// that press alone goes out, after the poll.
void EndToEndPanelTest::pressAfterUntickingSendsOnceThePollIsOver() {
    SimPanel panel;
    bool lockedAtOnce = false;
    QTimer whileCollecting;
    QObject::connect(&whileCollecting, &QTimer::timeout, [&] {
        if (panel.c.LblRx->isHidden())
            return;
        whileCollecting.stop();
        QTest::mouseClick(panel.c.ChkCont, Qt::LeftButton);
        QTest::mouseClick(panel.c.command("ZERO"), Qt::LeftButton);
        lockedAtOnce = std::none_of(panel.c.CmdPuls.begin(), panel.c.CmdPuls.end(),
                                    [](const QPushButton* b) { return b->isEnabled(); });
        for (const char* word : {"ZERO", "RST", "ZERO"})
            QTest::mouseClick(panel.c.command(word), Qt::LeftButton);
    });
    whileCollecting.start(5);
    QTest::mouseClick(panel.c.ChkCont, Qt::LeftButton);
    QVERIFY(lockedAtOnce);
    QTRY_VERIFY(panel.c.command("ZERO")->isEnabled());
    QTest::qWait(300); // room for anything still queued to show on the wire
    QCOMPARE(panel.wire(), QStringLiteral("|POS\r|ZERO\r"));
}

QTEST_MAIN(EndToEndPanelTest)
#include "tst_e2e_panel.moc"
