#include "cli/PortList.h"
#include "link/Catalogue.h"
#include "platform/PortMap.h"
#include "service/Profile.h"
#include "service/UsageError.h"

#include <QTest>

namespace {

const QString File = QStringLiteral("unit.profile");

QString names(const QList<Profile::Item>& items) {
    QStringList list;
    for (const Profile::Item& item : items)
        list << QStringLiteral("%1=%2@%3").arg(item.name, item.value).arg(item.line);
    return list.join(u' ');
}

} // namespace

class CliProfileTest : public QObject {
    Q_OBJECT
private slots:
    void readsAProfile_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("items"); // NAME=VALUE@LINE
        QTest::newRow("full listing")
            << "CODE=BIN\nCNT=CCLW\nPAR=POFF\nZPV=123\nOFST=0\nNS=8192\nNR=16\n"
            << "CODE=BIN@1 CNT=CCLW@2 PAR=POFF@3 ZPV=123@4 OFST=0@5 "
               "NS=8192@6 NR=16@7";
        QTest::newRow("header, comments and blank lines")
            << "# zintor-cli V3.0 profile\n\n# read then\nNS=4096\n  \n"
            << "NS=4096@4";
        QTest::newRow("no final line feed") << "NR=4"
                                            << "NR=4@1";
        QTest::newRow("values the listing never shows") << "PRST1=-5\nPRST2=7\nDEV=3\nADDR=1\n"
                                                        << "PRST1=-5@1 PRST2=7@2 DEV=3@3 ADDR=1@4";
        QTest::newRow("value kept as written") << "OFST=-0012\nNR=08\n"
                                               << "OFST=-0012@1 NR=08@2";
        QTest::newRow("each value at its bounds")
            << "PRST1=-2147483648\nPRST2=2147483647\nDEV=0\nADDR=2147483647\nNS=1\nNR=4096\n"
            << "PRST1=-2147483648@1 PRST2=2147483647@2 DEV=0@3 ADDR=2147483647@4 NS=1@5 "
               "NR=4096@6";
        QTest::newRow("kept unknown name is a comment")
            << "# reported, unknown to zintor-cli, never written: FOO=1\nNS=1\n"
            << "NS=1@2";
    }
    void readsAProfile() {
        QFETCH(QString, text);
        QFETCH(QString, items);
        QCOMPARE(names(Profile::read(text, File).items), items);
    }

    void refusesAProfile_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error"); // the start of the message
        QTest::newRow("unknown name") << "NS=1\nFOO=2\n"
                                      << "unit.profile:2: unknown name \"FOO\"";
        QTest::newRow("lower-case name") << "ns=1\n"
                                         << "unit.profile:1: unknown name \"ns\"";
        QTest::newRow("blank before =") << "NS =1\n"
                                        << "unit.profile:1: unknown name \"NS \"";
        QTest::newRow("a command, not a setting") << "ZERO=1\n"
                                                  << "unit.profile:1: unknown name \"ZERO\"";
        QTest::newRow("no =") << "NS=1\nNR\n"
                              << "unit.profile:2: \"NR\" is not NAME=VALUE";
        QTest::newRow("CR from a DOS file") << "NS=1\r\n"
                                            << "unit.profile:1: the value of NS holds CR";
        QTest::newRow("bar") << "OFST=1|NS=2\n"
                             << "unit.profile:1: the value of OFST holds \"|\"";
        QTest::newRow("DC1") << "NR=1\x11\n"
                             << "unit.profile:1: the value of NR holds DC1";
        QTest::newRow("DC3") << "NR=\x13\n"
                             << "unit.profile:1: the value of NR holds DC3";
        QTest::newRow("tab") << "NR=1\t\n"
                             << "unit.profile:1: the value of NR holds the control character 0x09";
        QTest::newRow("non-ASCII") << QString::fromLatin1("OFST=\xe9\n")
                                   << "unit.profile:1: the value of OFST holds the non-ASCII "
                                      "character 0xe9";
        QTest::newRow("duplicate") << "NS=1\nNR=2\nNS=3\n"
                                   << "unit.profile:3: NS is given again (first on line 1)";
        QTest::newRow("group value outside") << "CODE=GREY\n"
                                             << "unit.profile:1: CODE must be GRAY, BIN or BCD";
        QTest::newRow("choice of another group") << "PAR=CLW\n"
                                                 << "unit.profile:1: PAR must be ODD, EVEN or POFF";
        // What each item can take: a whole number in plain digits, within its range.
        QTest::newRow("letters") << "NS=abc\n"
                                 << "unit.profile:1: NS=abc: not a number";
        QTest::newRow("no value") << "NR=16\nNS=\n"
                                  << "unit.profile:2: NS=: not a number";
        QTest::newRow("= inside a value") << "OFST=1=2\n"
                                          << "unit.profile:1: OFST=1=2: not a number";
        QTest::newRow("a count below 1")
            << "NS=-1\n"
            << "unit.profile:1: NS=-1: out of range: NS takes 1 to 2147483647";
        QTest::newRow("more revolutions than the zones divide")
            << "NR=4097\n"
            << "unit.profile:1: NR=4097: out of range: NR takes 1 to 4096";
        QTest::newRow("a fraction") << "NR=16.5\n"
                                    << "unit.profile:1: NR=16.5: not a whole number: NR takes 1 to "
                                       "4096";
        QTest::newRow("blanks around a number")
            << "OFST= 12 \n"
            << "unit.profile:1: OFST= 12 : not in plain digits: OFST takes -2147483648 to "
               "2147483647";
        QTest::newRow("an address below 0")
            << "ADDR=-1\n"
            << "unit.profile:1: ADDR=-1: out of range: ADDR takes 0 to 2147483647";
        QTest::newRow("beyond 32 bits")
            << "PRST2=2147483648\n"
            << "unit.profile:1: PRST2=2147483648: out of range: PRST2 takes -2147483648 to "
               "2147483647";
        QTest::newRow("a long read-only value") << "NS=1\nZPV=123456789012\n"
                                                << "unit.profile:2: ZPV=123456789012: too long: at "
                                                   "most 11 characters";
        QTest::newRow("200,000 digits")
            << "NS=" + QString(200000, u'1') + "\n"
            << "unit.profile:1: \"NS=" + QString(57, u'1') +
                   "…\" (200,003 characters): too long: at most 11 characters";
        QTest::newRow("read-only only") << "# header\nZPV=5\n"
                                        << "unit.profile:2: no writable item";
        QTest::newRow("empty") << ""
                               << "unit.profile:1: no writable item";
    }
    void refusesAProfile() {
        QFETCH(QString, text);
        QFETCH(QString, error);
        try {
            Profile::read(text, File);
            QFAIL("accepted");
        } catch (const UsageError& e) {
            QVERIFY2(e.text().startsWith(error), qPrintable(e.text()));
        }
    }

    // send knows the same values, and every command is short enough to go out in a second.
    void checksACommandToSend_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("problem");
        QTest::newRow("a number") << "NS=8192"
                                  << "";
        QTest::newRow("the longest") << "PRST1=-2147483648"
                                     << "";
        QTest::newRow("no value") << "POS"
                                  << "";
        QTest::newRow("a word the catalogue does not know") << "FOO=x"
                                                            << "";
        QTest::newRow("letters") << "NS=abc"
                                 << "not a number";
        QTest::newRow("a value setting without its value") << "NR"
                                                           << "no value: NR takes 1 to 4096";
        QTest::newRow("out of range") << "NR=0"
                                      << "out of range: NR takes 1 to 4096";
        QTest::newRow("longer than any") << "FOOFOOFOOFOOFOOFOO"
                                         << "too long: no command is longer than 17 characters";
    }
    void checksACommandToSend() {
        QFETCH(QString, command);
        QFETCH(QString, problem);
        QCOMPARE(Catalogue::commandProblem(command), problem);
    }

    // What read writes, read back by apply, gives the encoder's values again.
    void listingWrittenReadsBack_data() {
        QTest::addColumn<QString>("listing");
        QTest::addColumn<QString>("items");
        QTest::addColumn<int>("unknown");
        QTest::newRow("encoder") << "\rCODE=GRAY\n\rCNT=CLW\n\rPAR=POFF\n\rZPV=0\n\rOFST=0\n"
                                    "\rNS=8192\n\rNR=16\n>"
                                 << "CODE=GRAY@4 CNT=CLW@5 PAR=POFF@6 ZPV=0@7 OFST=0@8 NS=8192@9 "
                                    "NR=16@10"
                                 << 0;
        QTest::newRow("unknown names kept") << "\rNS=1\n\rTEMP=41\n\rFW=2.1\n>"
                                            << "NS=1@4" << 2;
    }
    void listingWrittenReadsBack() {
        QFETCH(QString, listing);
        QFETCH(QString, items);
        QFETCH(int, unknown);
        const Profile found = Profile::fromListing(listing);
        QCOMPARE(found.unknown.size(), unknown);
        const QString text = found.text({"zintor-cli V3.0 profile", "read now", "position 0"});
        QCOMPARE(names(Profile::read(text, File).items), items);
        for (const Profile::Item& kept : found.unknown)
            QVERIFY(text.contains(kept.name + u'=' + kept.value));
    }

    void portList_data() {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("labels"); // or the start of the error
        QTest::newRow("number") << QStringList{"5"} << "COM5";
        QTest::newRow("COM name") << QStringList{"com7"} << "COM7";
        QTest::newRow("list and range")
            << QStringList{"5,6", "9-11"} << "COM5 COM6 COM9 COM10 COM11";
        const QString com5 = PortMap::devicePath(5);
        const QString com6 = PortMap::devicePath(6);
        QTest::newRow("device of a COM number") << QStringList{com6} << com6 + QStringLiteral("=6");
        QTest::newRow("twice") << QStringList{"5-6", "6"} << "--port 6: COM6 is named twice";
        QTest::newRow("twice by device")
            << QStringList{"5", com5} << QStringLiteral("--port %1: %1 is named twice").arg(com5);
        QTest::newRow("backwards")
            << QStringList{"8-5"} << "--port 8-5: the range 8-5 runs backwards";
        QTest::newRow("zero") << QStringList{"0"} << "--port 0: \"0\" is not a COM number";
        QTest::newRow("word") << QStringList{"USB"} << "--port USB: \"USB\" is not a COM number";
        QTest::newRow("empty in list") << QStringList{"5,,6"} << "--port 5,,6: an empty port";
    }
    void portList() {
        QFETCH(QStringList, values);
        QFETCH(QString, labels);
        try {
            QStringList got;
            for (const PortRef& port : PortList::parse(values))
                got << (port.label.startsWith(u"COM")
                            ? port.label
                            : port.label + u'=' + QString::number(port.number));
            QCOMPARE(got.join(u' '), labels);
        } catch (const UsageError& e) {
            QVERIFY2(e.text().startsWith(labels), qPrintable(e.text()));
        }
    }
};

QTEST_GUILESS_MAIN(CliProfileTest)
#include "tst_cli_profile.moc"
