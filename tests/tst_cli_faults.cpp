#include "CliBench.h"

#include <QJsonArray>
#include <QTest>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const QString FullProfile = QStringLiteral(
    "# for four units\nCODE=BIN\nCNT=CCLW\nPAR=EVEN\nZPV=0\nOFST=10\nNS=4096\nNR=8\n");

// Nothing but printable ASCII and line ends: no byte that a terminal acts on.
bool terminalSafe(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return c == u'\n' || (c.unicode() >= 0x20 && c.unicode() < 0x7f) || c == u'…';
    });
}

} // namespace

// The companion given what a careless or hostile user gives it, and a port that dies
// while it writes.
class CliFaultsTest : public QObject {
    Q_OBJECT
private slots:
    void profileWithoutEndIsRefused_data();
    void profileWithoutEndIsRefused();
    void outsideTextIsEscaped_data();
    void outsideTextIsEscaped();
    void controlCharactersRoundTripThroughJson();
    void hangUpMidApplySaysWhatWasWritten();
};

void CliFaultsTest::profileWithoutEndIsRefused_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("why");
    QTest::newRow("device") << "/dev/zero"
                            << "not a regular file";
    QTest::newRow("FIFO nobody writes") << "fifo"
                                        << "not a regular file";
    QTest::newRow("2 MiB file") << "large"
                                << "2.1 MB is too large for a profile (at most 1 MiB)";
}

void CliFaultsTest::profileWithoutEndIsRefused() {
    QFETCH(QString, kind);
    QFETCH(QString, why);
    CliBench bench(1);
    QString profile = kind;
    if (kind == u"fifo") {
        profile = bench.path("fifo");
        QCOMPARE(::mkfifo(qPrintable(profile), 0600), 0);
    } else if (kind == u"large") {
        profile = bench.writeBytes("large", QByteArray(2 << 20, '#') + "\nCODE=BIN\n");
    }
    QProcess cli;
#ifndef __SANITIZE_ADDRESS__ // whose shadow memory alone is far beyond such a limit
    // Were it read without limit, it would end here rather than take the machine's memory.
    cli.setChildProcessModifier([] {
        const rlimit memory{rlim_t(1) << 30, rlim_t(1) << 30};
        ::setrlimit(RLIMIT_AS, &memory);
    });
#endif
    bench.start(cli, {"apply", profile});
    const auto apply = CliBench::finish(cli, 10000);
    QCOMPARE(apply.status, 2);
    QVERIFY2(apply.err.startsWith(QStringLiteral("zintor-cli: %1: %2\n").arg(profile, why)),
             qPrintable(apply.err));
    QCOMPARE(bench.received(1), QByteArray());
}

void CliFaultsTest::outsideTextIsEscaped_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message"); // after "zintor-cli: "
    QTest::newRow("clear screen and retitle")
        << "a.profile" << QByteArray("CODE=BIN\n\x1b[2J\x1b]0;owned\x07\n")
        << R"(%1:2: "\x1b[2J\x1b]0;owned\x07" is not NAME=VALUE)";
    QTest::newRow("unknown name in colour") << "b.profile" << QByteArray("\x1b[31mRED=1\r\n")
                                            << R"(%1:1: unknown name "\x1b[31mRED"; )";
    // ESC, and CSI as a UTF-8 terminal may take it.
    QTest::newRow("file name") << QStringLiteral("d\x1b[2J") + QChar(0x9b) + ".profile"
                               << QByteArray("FOO\n") << R"(%1:1: "FOO" is not NAME=VALUE)";
    QTest::newRow("long line") << "e.profile" << QByteArray(3000, 'A')
                               << QStringLiteral("%1:1: \"") + QString(60, u'A') +
                                      QStringLiteral("…\" (3,000 characters) is not NAME=VALUE");
}

void CliFaultsTest::outsideTextIsEscaped() {
    QFETCH(QString, name);
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    CliBench bench(1);
    const QString profile = bench.writeBytes(name, text);
    const QString shown = profile.left(profile.size() - name.size()) +
                          QString(name).replace(QChar(0x1b), "\\x1b").replace(QChar(0x9b), "\\x9b");
    const auto apply = bench.run({"apply", profile});
    QCOMPARE(apply.status, 2);
    QVERIFY2(apply.err.startsWith("zintor-cli: " + message.arg(shown)), qPrintable(apply.err));
    QVERIFY2(terminalSafe(apply.err), qPrintable(apply.err));
    QCOMPARE(bench.received(1), QByteArray());
}

// JSON escapes on its own: what the encoder answered arrives there as it was.
void CliFaultsTest::controlCharactersRoundTripThroughJson() {
    CliBench bench(1);
    const auto send = bench.run({"send", "NR=16", "--json"});
    QCOMPARE(send.status, 0);
    QVERIFY(terminalSafe(send.out));
    const QJsonObject exchange = CliBench::json(send.out)["ports"][0]["exchanges"][0].toObject();
    QCOMPARE(exchange["reply"].toString(), QStringLiteral("\r\n>"));
}

// The encoder on COM2 hangs up in the middle of the fourth item: its record must say it now
// holds the first three.
void CliFaultsTest::hangUpMidApplySaysWhatWasWritten() {
    for (const bool json : {false, true}) {
        CliBench bench(2, {"--hangup-after", "3"});
        QStringList arguments{"apply", bench.write("four.profile", FullProfile), "-p", "1,2"};
        if (json)
            arguments << "--json";
        const auto apply = bench.run(arguments);
        QCOMPARE(apply.status, 3);
        if (!json) {
            QVERIFY2(apply.out.contains(QRegularExpression(
                         "^COM2: exit 3: COM2 \\(.*\\n  written: CODE CNT PAR\\n",
                         QRegularExpression::MultilineOption)),
                     qPrintable(apply.out));
            QVERIFY2(apply.out.contains("COM2: port failure, written: CODE CNT PAR"),
                     qPrintable(apply.out));
            continue;
        }
        const QJsonObject port = CliBench::json(apply.out)["ports"][1].toObject();
        QCOMPARE(port["written"].toArray(), QJsonArray({"CODE", "CNT", "PAR"}));
        QCOMPARE(port["problems"].toArray(), QJsonArray({"port failure", "written: CODE CNT PAR"}));
        QVERIFY(bench.state(2).contains("PAR=EVEN\n"));
    }
}

QTEST_GUILESS_MAIN(CliFaultsTest)
#include "tst_cli_faults.moc"
