#include "MessageCatcher.h"
#include "ScriptedPanel.h"
#include "link/Catalogue.h"
#include "panel/Form1.h"
#include "platform/Colors.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

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

// The nine buttons of the three setting groups.
QStringList groupWords() {
    QStringList words;
    for (const Catalogue::Group& group : Catalogue::Groups)
        for (const char* choice : group.choices)
            words.append(QString::fromLatin1(choice));
    return words;
}

struct Rig : ScriptedPanel {
    Rig() : ScriptedPanel(Start::Loaded) { port.script.reply = QStringLiteral("\r\n>") + DC1; }
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
    QTest::addColumn<QStringList>("group");
    const QStringList all = groupWords();
    for (int g = 0; g < 3; ++g) {
        const QString name = QStringList{"CODE", "CNT", "PAR"}[g];
        const QStringList group = all.mid(3 * g, 3);
        for (const QString& choice : group)
            QTest::addRow("%s %s", qPrintable(name), qPrintable(choice)) << name << choice << group;
        QTest::addRow("%s outside", qPrintable(name)) << name << "XYZ" << group;
    }
}

void PanelTest::groupTable() {
    QFETCH(QString, command);
    QFETCH(QString, dato);
    QFETCH(QStringList, group);
    const bool known = group.contains(dato);
    for (quint8 ok : {quint8(0), quint8(1)}) {
        Rig rig;
        for (const QString& word : groupWords())
            Colors::setBackColor(rig.c.command(qPrintable(word)), 123);
        rig.acknowledged(ok);
        rig.form.ImpostaTasti(command, dato);
        for (const QString& word : groupWords()) {
            quint32 expected = 123;
            if (known && group.contains(word))
                expected = word == dato && ok ? Green : Face;
            QCOMPARE(Colors::backColor(rig.c.command(qPrintable(word))), expected);
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
    rig.acknowledged(true);
    rig.form.LeggiElenco(text);
    QTEST(rig.c.TxtNR->text(), "nr");
    QTEST(rig.c.LblZPV->text(), "zpv");
    QTEST(Colors::backColor(rig.c.command("BIN")), "bin");
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
    for (QPushButton* button : rig.c.CmdPuls)
        Colors::setBackColor(button, Green);
    for (QLineEdit* box : {rig.c.TxtPRST1, rig.c.TxtPRST2, rig.c.TxtOFST, rig.c.TxtNS, rig.c.TxtNR})
        box->setText("5");
    rig.c.LblZPV->setText("9");
    rig.c.TxtDEV->setText("3");
    rig.form.PulisciTasti();
    QCOMPARE(
        rig.marks(groupWords() + QStringList{"PRST1", "PRST2", "OFST", "NS", "ZERO", "NR", "POS"}),
        QList<quint32>(16, Face));
    QCOMPARE(rig.marks({"DEV", "ADDR", "RST", "STP"}), QList<quint32>(4, Green));
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
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("wire");
    const char* rows[][2] = {{"DEV", "|DEV=0\r"},    {"ADDR", "|ADDR=0\r"},  {"RST", "|RST\r"},
                             {"GRAY", "|GRAY\r"},    {"BIN", "|BIN\r"},      {"BCD", "|BCD\r"},
                             {"CLW", "|CLW\r"},      {"CCLW", "|CCLW\r"},    {"EXTD", "|EXTD\r"},
                             {"ODD", "|ODD\r"},      {"EVEN", "|EVEN\r"},    {"POFF", "|POFF\r"},
                             {"PRST1", "|PRST1=\r"}, {"PRST2", "|PRST2=\r"}, {"OFST", "|OFST=\r"},
                             {"NS", "|NS=\r"},       {"ZERO", "|ZERO\r"},    {"NR", "|NR=\r"},
                             {"POS", "|POS\r"},      {"STP", "|STP\r|POS\r"}};
    for (const auto& row : rows)
        QTest::newRow(row[0]) << row[0] << row[1];
}

void PanelTest::catalogue() {
    QFETCH(QString, word);
    Rig rig;
    rig.press(qPrintable(word));
    QTEST(rig.port.wire, "wire");
    for (QPushButton* b : rig.c.CmdPuls)
        QVERIFY(b->isEnabled());
}

void PanelTest::valueTextsGoUnchanged_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("value");
    QTest::newRow("NR with blank and letters") << "NR"
                                               << " 1 6abc";
    QTest::newRow("NS signed") << "NS"
                               << "-8192";
    QTest::newRow("OFST long") << "OFST" << QString(200, u'9');
    QTest::newRow("PRST1") << "PRST1"
                           << "+1.5e3";
    QTest::newRow("PRST2 empty") << "PRST2"
                                 << "";
    QTest::newRow("DEV") << "DEV"
                         << " 12 ";
    QTest::newRow("ADDR") << "ADDR"
                          << "x";
}

void PanelTest::valueTextsGoUnchanged() {
    QFETCH(QString, caption);
    QFETCH(QString, value);
    Rig rig;
    const bool address = caption == "DEV" || caption == "ADDR";
    QLineEdit* box = address ? rig.c.TxtDEV : rig.form.findChild<QLineEdit*>("Txt" + caption);
    box->setText(value);
    rig.press(qPrintable(caption));
    QCOMPARE(rig.port.wire, u'|' + caption + u'=' + value + u'\r');
}

void PanelTest::listingPressRefillsThePanelThenReadsPosition() {
    Rig rig;
    rig.c.TxtPRST1->setText("5");
    Colors::setBackColor(rig.c.command("ZERO"), Green);
    rig.port.script.reply =
        listing({"CODE=BCD", "CNT=EXTD", "PAR=ODD", "ZPV=4", "OFST=2", "NS=4096", "NR=1"}) + DC1;
    rig.press("STP");
    QCOMPARE(rig.port.wire, QStringLiteral("|STP\r|POS\r"));
    QCOMPARE(rig.marks(groupWords()),
             (QList<quint32>{Face, Face, Green, Face, Face, Green, Green, Face, Face}));
    QCOMPARE(Colors::backColor(rig.c.command("ZERO")), Face);
    QCOMPARE(rig.c.TxtNS->text(), QStringLiteral("4096"));
    QCOMPARE(rig.c.TxtNR->text(), QStringLiteral("1"));
    QCOMPARE(rig.c.TxtOFST->text(), QStringLiteral("2"));
    QCOMPARE(rig.c.LblZPV->text(), QStringLiteral("4"));
    QVERIFY(rig.c.TxtPRST1->text().isEmpty());
    QCOMPARE(rig.c.TxtResult[0]->text(), QStringLiteral("4096")); // the calculator followed
}

void PanelTest::groupPressMarksOnlyWhenAcknowledged() {
    Rig rig;
    const QStringList code{"GRAY", "BIN", "BCD"};
    rig.press("GRAY");
    QCOMPARE(rig.marks(code), (QList<quint32>{Green, Face, Face}));
    rig.port.script.reply = QStringLiteral("\r\n?") + DC1;
    rig.press("BIN");
    QCOMPARE(rig.marks(code), (QList<quint32>{Face, Face, Face}));
}

void PanelTest::resetPressClearsWhateverTheAnswer() {
    Rig rig;
    MessageCatcher catcher;
    rig.c.TxtNS->setText("8192");
    rig.port.script.openFailure = "COM1 (/dev/ttyS0): device not found";
    rig.press("RST");
    QVERIFY(rig.c.TxtNS->text().isEmpty());
    QCOMPARE(catcher.texts.size(), 1);
}

void PanelTest::pressWhilePollingOnlyStopsIt() {
    Rig rig;
    rig.c.ChkCont->setChecked(true);
    rig.press("ZERO");
    QVERIFY(rig.port.wire.isEmpty());
    QVERIFY(!rig.c.ChkCont->isChecked());
    for (QPushButton* b : rig.c.CmdPuls)
        QVERIFY(!b->isEnabled());
    rig.form.SBloccaTasti(); // what the polling loop does when it ends
    rig.press("ZERO");
    QCOMPARE(rig.port.wire, QStringLiteral("|ZERO\r"));
}

void PanelTest::buttonsStayLockedThroughTheWholePress() {
    Rig rig;
    QList<bool> enabledAtPos;
    rig.port.script.reply = listing({"NR=16"}) + DC1;
    // Between the two exchanges of STP nothing may unlock the buttons.
    QObject::connect(rig.c.TxtNR, &QLineEdit::textChanged,
                     [&] { enabledAtPos.append(rig.c.command("DEV")->isEnabled()); });
    rig.press("STP");
    QCOMPARE(enabledAtPos, QList<bool>{false});
    QVERIFY(rig.c.command("DEV")->isEnabled());
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
