#include "CliBench.h"

#include <QtTest>

namespace {

// Nothing but printable ASCII and line ends: no byte that a terminal acts on.
bool terminalSafe(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return c == u'\n' || (c.unicode() >= 0x20 && c.unicode() < 0x7f) || c == u'…';
    });
}

} // namespace

// The companion given what a careless or hostile user gives it.
class CliFaultsTest : public QObject {
    Q_OBJECT
private slots:
    void outsideTextIsEscaped_data();
    void outsideTextIsEscaped();
    void controlCharactersRoundTripThroughJson();
};

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

QTEST_GUILESS_MAIN(CliFaultsTest)
#include "tst_cli_faults.moc"
