#include "MessageCatcher.h"
#include "ScriptedPort.h"
#include "panel/Form1.h"
#include "platform/Colors.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

const QChar CR(13), LF(10), DC1(17);
const quint32 Face = Colors::ButtonFace;
const quint32 Green = Colors::LightGreen;

// A listing written as its entries: each stands for CR, the entry, LF.
QString listing(const QStringList& entries) {
    QString text;
    for (const QString& e : entries)
        text += CR + e + LF;
    return text + u'>';
}

QList<quint32> colours(const Form1Controls& c, int from, int to) {
    QList<quint32> out;
    for (int i = from; i <= to; ++i)
        out.append(Colors::backColor(c.CmdPuls[std::size_t(i)]));
    return out;
}

struct Rig {
    ScriptedPort port;
    Form1 form{port, [] {}, &port};
    Form1Controls& c = form.controls;
    Rig() {
        form.Form_Load();
        port.script.reply = QStringLiteral("\r\n>") + DC1;
    }
    void press(int index) {
        c.CmdPuls[std::size_t(index)]->click();
        QCoreApplication::processEvents(); // deferred work, if any
    }
};

} // namespace

class PanelTest : public QObject {
    Q_OBJECT
private slots:
    void groupTable_data();
    void groupTable();
    void listingQuirks_data();
    void listingQuirks();
    void listingOfAnyLengthIsParsedInFull();
    void resetCoverage();
    void lockCoverage();
    void catalogue_data();
    void catalogue();
    void valueTextsGoUnchanged_data();
    void valueTextsGoUnchanged();
    void listingPressRefillsThePanelThenReadsPosition();
    void groupPressMarksOnlyWhenAcknowledged();
    void resetPressClearsWhateverTheAnswer();
    void pressWhilePollingOnlyStopsIt();
    void buttonsStayLockedThroughTheWholePress();
    void doubleClickTogglesTheDump();
};

void PanelTest::groupTable_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("dato");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("chosen");
    const char* groups[] = {"CODE", "CNT", "PAR"};
    for (int g = 0; g < 3; ++g) {
        for (int k = 0; k < 3; ++k) {
            const int index = 3 + 3 * g + k;
            const QString caption = Rig().c.CmdPuls[std::size_t(index)]->text();
            QTest::addRow("%s %s", groups[g], qPrintable(caption))
                << groups[g] << caption << 3 + 3 * g << index;
        }
        QTest::addRow("%s outside", groups[g]) << groups[g] << "XYZ" << 3 + 3 * g << -1;
    }
}

void PanelTest::groupTable() {
    QFETCH(QString, command);
    QFETCH(QString, dato);
    QFETCH(int, first);
    QFETCH(int, chosen);
    for (quint8 ok : {quint8(0), quint8(1)}) {
        Rig rig;
        for (int i = 3; i <= 11; ++i)
            Colors::setBackColor(rig.c.CmdPuls[std::size_t(i)], 123);
        rig.form.RispostaOk = ok;
        rig.form.ImpostaTasti(command, dato);
        for (int i = 3; i <= 11; ++i) {
            quint32 expected = 123;
            if (chosen >= 0 && i >= first && i < first + 3)
                expected = i == chosen && ok ? Green : Face;
            QCOMPARE(Colors::backColor(rig.c.CmdPuls[std::size_t(i)]), expected);
        }
    }
}

void PanelTest::listingQuirks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("nr");
    QTest::addColumn<QString>("zpv");
    QTest::addColumn<quint32>("bin");

    const QString preset = QStringLiteral("7");
    QTest::newRow("full listing") << listing({"CODE=BIN", "CNT=CCLW", "PAR=POFF", "ZPV=123",
                                              "OFST=0", "NS=8192", "NR=16"})
                                  << "16"
                                  << "123" << Green;
    QTest::newRow("case counts") << listing({"code=BIN", "nr=16"}) << preset << "" << Face;
    QTest::newRow("blanks around =") << listing({"CODE = BIN", "NR =16"}) << preset << "" << Face;
    QTest::newRow("missing CR") << QStringLiteral("CODE=BIN\nNR=16\n") << preset << "" << Face;
    QTest::newRow("line without =") << listing({"HELLO", "NR=16"}) << preset << "" << Face;
    QTest::newRow("doubled CR") << CR + listing({"NR=16"}) << preset << "" << Face;
    QTest::newRow("no final LF") << QStringLiteral("\rNR=16") << "16"
                                 << "" << Face;
    QTest::newRow("empty value") << listing({"ZPV="}) << preset << "" << Face;
    QTest::newRow("= in a value") << listing({"ZPV=1=2"}) << preset << "1=2" << Face;
    QTest::newRow("name at the end") << QStringLiteral("\rNR") << ""
                                     << "" << Face;
    QTest::newRow("other names ignored")
        << listing({"DEV=9", "PRST1=3", "POS=5"}) << preset << "" << Face;
    QTest::newRow("control bytes")
        << QStringLiteral("\r\x01\x02=\x03\n\x00\r\rNR=\x7f") << preset << "" << Face;
}

void PanelTest::listingQuirks() {
    QFETCH(QString, text);
    Rig rig;
    rig.c.TxtNR->setText("7");
    rig.c.LblZPV->setText("");
    rig.form.RispostaOk = 1;
    rig.form.LeggiElenco(text);
    QTEST(rig.c.TxtNR->text(), "nr");
    QTEST(rig.c.LblZPV->text(), "zpv");
    QTEST(Colors::backColor(rig.c.CmdPuls[4]), "bin");
    QVERIFY(rig.c.TxtDEV->text() == "0" && rig.c.TxtPRST1->text().isEmpty());
}

void PanelTest::listingOfAnyLengthIsParsedInFull() {
    Rig rig;
    QString text = listing({"NR=1"}).chopped(1).repeated(20000); // 120,000 characters
    text += listing({"NR=16"});
    QElapsedTimer clock;
    clock.start();
    rig.form.LeggiElenco(text);
    QCOMPARE(rig.c.TxtNR->text(), QStringLiteral("16"));
    QVERIFY(clock.elapsed() < 2000);
}

void PanelTest::resetCoverage() {
    Rig rig;
    for (int i = 0; i < 20; ++i)
        Colors::setBackColor(rig.c.CmdPuls[std::size_t(i)], Green);
    for (QLineEdit* box : {rig.c.TxtPRST1, rig.c.TxtPRST2, rig.c.TxtOFST, rig.c.TxtNS, rig.c.TxtNR})
        box->setText("5");
    rig.c.LblZPV->setText("9");
    rig.c.TxtDEV->setText("3");
    rig.form.PulisciTasti();
    QCOMPARE(colours(rig.c, 3, 18), QList<quint32>(16, Face));
    QCOMPARE(colours(rig.c, 0, 2), QList<quint32>(3, Green));
    QCOMPARE(colours(rig.c, 19, 19), QList<quint32>{Green});
    for (QLineEdit* box : {rig.c.TxtPRST1, rig.c.TxtPRST2, rig.c.TxtOFST, rig.c.TxtNS, rig.c.TxtNR})
        QVERIFY(box->text().isEmpty());
    QVERIFY(rig.c.LblZPV->text().isEmpty());
    QCOMPARE(rig.c.TxtDEV->text(), QStringLiteral("3"));
    // The calculator follows the emptied boxes.
    QCOMPARE(rig.c.TxtResult[0]->text(), QStringLiteral("--"));
    QCOMPARE(rig.c.TxtResult[5]->text(), QStringLiteral("4096"));
}

void PanelTest::lockCoverage() {
    Rig rig;
    rig.form.BloccaTasti();
    rig.form.BloccaTasti();
    for (QPushButton* b : rig.c.CmdPuls)
        QVERIFY(!b->isEnabled());
    for (QWidget* w : std::initializer_list<QWidget*>{
             rig.c.CmdNR1, rig.c.CmdNR4096, rig.c.CmdNS4096, rig.c.CmdNS8192, rig.c.ChkCont,
             rig.c.Command1, rig.c.TxtNR, rig.c.TxtDEV})
        QVERIFY(w->isEnabled());
    rig.form.SBloccaTasti();
    for (QPushButton* b : rig.c.CmdPuls)
        QVERIFY(b->isEnabled());
}

void PanelTest::catalogue_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("wire");
    const char* wires[] = {"|DEV=0\r", "|ADDR=0\r", "|RST\r",    "|GRAY\r",   "|BIN\r",
                           "|BCD\r",   "|CLW\r",    "|CCLW\r",   "|EXTD\r",   "|ODD\r",
                           "|EVEN\r",  "|POFF\r",   "|PRST1=\r", "|PRST2=\r", "|OFST=\r",
                           "|NS=\r",   "|ZERO\r",   "|NR=\r",    "|POS\r",    "|STP\r|POS\r"};
    for (int i = 0; i < 20; ++i)
        QTest::addRow("%d %s", i, wires[i] + 1) << i << QString::fromLatin1(wires[i]);
}

void PanelTest::catalogue() {
    QFETCH(int, index);
    Rig rig;
    rig.press(index);
    QTEST(rig.port.wire, "wire");
    for (QPushButton* b : rig.c.CmdPuls)
        QVERIFY(b->isEnabled());
}

void PanelTest::valueTextsGoUnchanged_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("value");
    QTest::newRow("NR with blank and letters") << 17 << " 1 6abc";
    QTest::newRow("NS signed") << 15 << "-8192";
    QTest::newRow("OFST long") << 14 << QString(200, u'9');
    QTest::newRow("PRST1") << 12 << "+1.5e3";
    QTest::newRow("PRST2 empty") << 13 << "";
    QTest::newRow("DEV") << 0 << " 12 ";
    QTest::newRow("ADDR") << 1 << "x";
}

void PanelTest::valueTextsGoUnchanged() {
    QFETCH(int, index);
    QFETCH(QString, value);
    Rig rig;
    const QString caption = rig.c.CmdPuls[std::size_t(index)]->text();
    QLineEdit* box = index <= 1 ? rig.c.TxtDEV : rig.form.findChild<QLineEdit*>("Txt" + caption);
    box->setText(value);
    rig.press(index);
    QCOMPARE(rig.port.wire, u'|' + caption + u'=' + value + u'\r');
}

void PanelTest::listingPressRefillsThePanelThenReadsPosition() {
    Rig rig;
    rig.c.TxtPRST1->setText("5");
    Colors::setBackColor(rig.c.CmdPuls[16], Green);
    rig.port.script.reply =
        listing({"CODE=BCD", "CNT=EXTD", "PAR=ODD", "ZPV=4", "OFST=2", "NS=4096", "NR=1"}) + DC1;
    rig.press(19);
    QCOMPARE(rig.port.wire, QStringLiteral("|STP\r|POS\r"));
    QCOMPARE(colours(rig.c, 3, 11),
             (QList<quint32>{Face, Face, Green, Face, Face, Green, Green, Face, Face}));
    QCOMPARE(Colors::backColor(rig.c.CmdPuls[16]), Face);
    QCOMPARE(rig.c.TxtNS->text(), QStringLiteral("4096"));
    QCOMPARE(rig.c.TxtNR->text(), QStringLiteral("1"));
    QCOMPARE(rig.c.TxtOFST->text(), QStringLiteral("2"));
    QCOMPARE(rig.c.LblZPV->text(), QStringLiteral("4"));
    QVERIFY(rig.c.TxtPRST1->text().isEmpty());
    QCOMPARE(rig.c.TxtResult[0]->text(), QStringLiteral("4096")); // the calculator followed
}

void PanelTest::groupPressMarksOnlyWhenAcknowledged() {
    Rig rig;
    rig.press(3);
    QCOMPARE(colours(rig.c, 3, 5), (QList<quint32>{Green, Face, Face}));
    rig.port.script.reply = QStringLiteral("\r\n?") + DC1;
    rig.press(4);
    QCOMPARE(colours(rig.c, 3, 5), (QList<quint32>{Face, Face, Face}));
}

void PanelTest::resetPressClearsWhateverTheAnswer() {
    Rig rig;
    MessageCatcher catcher;
    rig.c.TxtNS->setText("8192");
    rig.port.script.openFailure = "COM1 (/dev/ttyS0): device not found";
    rig.press(2);
    QVERIFY(rig.c.TxtNS->text().isEmpty());
    QCOMPARE(catcher.texts.size(), 1);
}

void PanelTest::pressWhilePollingOnlyStopsIt() {
    Rig rig;
    rig.c.ChkCont->setChecked(true);
    rig.press(16);
    QVERIFY(rig.port.wire.isEmpty());
    QVERIFY(!rig.c.ChkCont->isChecked());
    for (QPushButton* b : rig.c.CmdPuls)
        QVERIFY(!b->isEnabled());
    rig.form.SBloccaTasti(); // what the polling loop does when it ends
    rig.press(16);
    QCOMPARE(rig.port.wire, QStringLiteral("|ZERO\r"));
}

void PanelTest::buttonsStayLockedThroughTheWholePress() {
    Rig rig;
    QList<bool> enabledAtPos;
    rig.port.script.reply = listing({"NR=16"}) + DC1;
    // Between the two exchanges of STP nothing may unlock the buttons.
    QObject::connect(rig.c.TxtNR, &QLineEdit::textChanged,
                     [&] { enabledAtPos.append(rig.c.CmdPuls[0]->isEnabled()); });
    rig.press(19);
    QCOMPARE(enabledAtPos, QList<bool>{false});
    QVERIFY(rig.c.CmdPuls[0]->isEnabled());
}

void PanelTest::doubleClickTogglesTheDump() {
    Rig rig;
    QVERIFY(rig.c.Label2->isHidden());
    QTest::mouseDClick(rig.c.TxtSended, Qt::LeftButton);
    QVERIFY(!rig.c.Label2->isHidden());
    QTest::mouseDClick(rig.c.TxtSended, Qt::LeftButton);
    QVERIFY(rig.c.Label2->isHidden());
}

QTEST_MAIN(PanelTest)
#include "tst_panel.moc"
