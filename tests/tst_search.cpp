#include "ScriptedPort.h"
#include "link/SearchTry.h"
#include "service/SearchOrder.h"

#include <QTest>

namespace {
const QChar DC1(17);
}

class SearchTest : public QObject {
    Q_OBJECT
private slots:
    void triesTheDialogsOfferOnceEach_data();
    void triesTheDialogsOfferOnceEach();
    void aTryEndsAtTheFirstWrongEcho_data();
    void aTryEndsAtTheFirstWrongEcho();
    void aRightEchoCollectsTheReply_data();
    void aRightEchoCollectsTheReply();
};

void SearchTest::triesTheDialogsOfferOnceEach_data() {
    QTest::addColumn<QString>("current");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<int>("count");
    // The panel's start: its settings are the second try's, written differently.
    QTest::newRow("panel's start")
        << "9600,n,8,1"
        << QStringList{"9600,n,8,1", "9600,E,8,1",  "9600,O,8,1",  "9600,E,7,1", "9600,O,7,1",
                       "9600,N,7,1", "19200,N,8,1", "19200,E,8,1", "19200,O,8,1"}
        << 48;
    QTest::newRow("left at even, 7 bits, 2 stop bits")
        << "19200,E,7,2" << QStringList{"19200,E,7,2", "9600,N,8,1", "9600,E,8,1"} << 49;
    QTest::newRow("a rate the dialog does not offer")
        << "57600,N,8,1" << QStringList{"57600,N,8,1", "9600,N,8,1"} << 49;
}

void SearchTest::triesTheDialogsOfferOnceEach() {
    QFETCH(QString, current);
    QFETCH(QStringList, first);
    QFETCH(int, count);
    const QStringList order = SearchOrder::settings(current);
    QCOMPARE(order.mid(0, first.size()), first);
    QCOMPARE(order.size(), count);
    // Every baud rate with every parity and both data sizes, stop bits 1, and 300 last.
    for (const QString baud : {"300", "600", "1200", "2400", "4800", "9600", "19200", "115200"})
        for (const QString framing : {"N,8", "E,8", "O,8", "N,7", "E,7", "O,7"}) {
            const QString settings = baud + u',' + framing + QStringLiteral(",1");
            QVERIFY2(order.contains(settings, Qt::CaseInsensitive), qPrintable(settings));
        }
    QVERIFY(order.last().startsWith(QStringLiteral("300,")));
    QVERIFY(order.indexOf(QStringLiteral("19200,O,8,1")) <
            order.indexOf(QStringLiteral("300,N,8,1")));
}

void SearchTest::aTryEndsAtTheFirstWrongEcho_data() {
    QTest::addColumn<QString>("settings");
    QTest::addColumn<bool>("echo");
    QTest::addColumn<bool>("misread");
    QTest::addColumn<QList<qint16>>("waits");
    QTest::newRow("other bytes back") << "19200,O,8,1" << true << true << QList<qint16>{50};
    QTest::newRow("nothing back") << "9600,N,8,1" << false << false << QList<qint16>{50};
    // At 300 baud a character there and back takes longer than the pacing.
    QTest::newRow("nothing back at 300 baud, 8E1")
        << "300,E,8,1" << false << false << QList<qint16>{50, 34};
}

void SearchTest::aTryEndsAtTheFirstWrongEcho() {
    QFETCH(QString, settings);
    QFETCH(bool, echo);
    QFETCH(bool, misread);
    QFETCH(QList<qint16>, waits);
    ScriptedPort port;
    port.setSettings(settings);
    port.script.echo = echo;
    port.script.misread = misread;
    port.script.reply = QStringLiteral("\r\n1\r\n>") + DC1;
    const SearchTry::Result result = SearchTry::run(port, port);
    QCOMPARE(result.verdict, SearchTry::Verdict::WrongEcho);
    QVERIFY(!result.acknowledged());
    QCOMPARE(port.wire, QStringLiteral("|"));
    QCOMPARE(port.waitsAsked, waits);
}

void SearchTest::aRightEchoCollectsTheReply_data() {
    QTest::addColumn<QString>("reply");
    QTest::addColumn<qint64>("echoDelay");
    QTest::addColumn<bool>("acknowledged");
    QTest::addColumn<QString>("position");
    QTest::addColumn<qint64>("took");
    const QString position = QStringLiteral("\r1234\n>") + DC1;
    QTest::newRow("acknowledged") << position << qint64(0) << true << "1234" << qint64(300);
    QTest::newRow("refused") << QStringLiteral("\r\n!?") + DC1 << qint64(0) << false << ""
                             << qint64(300);
    // At 300 baud the echo comes later than the pacing: it is waited for, not missed.
    QTest::newRow("late echo") << position << qint64(70) << true << "1234" << qint64(327);
    QTest::newRow("echo, no reply") << QString() << qint64(0) << false << "" << qint64(1000);
}

void SearchTest::aRightEchoCollectsTheReply() {
    QFETCH(QString, reply);
    QFETCH(qint64, echoDelay);
    QFETCH(bool, acknowledged);
    QFETCH(QString, position);
    QFETCH(qint64, took);
    ScriptedPort port;
    port.setSettings(QStringLiteral("300,N,8,1"));
    port.script.reply = reply;
    port.script.echoDelay = echoDelay;
    const SearchTry::Result result = SearchTry::run(port, port);
    QCOMPARE(result.verdict, SearchTry::Verdict::Answered);
    QCOMPARE(result.echo, QStringLiteral("|POS"));
    QCOMPARE(port.wire, QStringLiteral("|POS\r"));
    QCOMPARE(result.acknowledged(), acknowledged);
    QCOMPARE(result.reply, reply);
    QCOMPARE(result.position, position);
    QCOMPARE(port.now, took);
}

QTEST_MAIN(SearchTest)
#include "tst_search.moc"
