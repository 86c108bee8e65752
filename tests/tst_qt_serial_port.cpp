#include "Com7PortTest.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <sys/resource.h>

namespace {

constexpr char Dc1 = 0x11;
constexpr char Dc3 = 0x13;
const auto failureOf = Com7Device::failureOf;

double cpuMilliseconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

} // namespace

// What goes through an open port: bytes out and in, XON/XOFF, a hang-up, a closed port.
class QtSerialPortTest : public Com7PortTest {
    Q_OBJECT

private slots:
    void sendsOneBytePerCharacterAtOnce() {
        open();
        port->setRtsEnable(false); // a pty has no RTS line: no failure
        port->output("AB");
        port->output(QString::fromUtf8("C\u00e9\u20ac\U0001F600"));
        QCOMPARE(pty->received(6), QByteArray("ABC\xe9??"));
    }

    void readsWhatTheSystemHolds() {
        open();
        pty->send("xyz\xe9");
        QCOMPARE(port->inBufferCount(), 4); // no event loop has run
        QCOMPARE(port->input(), QString::fromUtf8("xyz\u00e9"));
        QCOMPARE(port->input(), QString());
        pty->send("junk");
        QCOMPARE(port->inBufferCount(), 4);
        pty->send("more");
        port->discardInput();
        QCOMPARE(port->inBufferCount(), 0);
    }

    void followsXonXoff() {
        open();
        const QByteArray flowBytes = QByteArray() + Dc1 + 'a' + Dc3 + Dc1;
        pty->send(flowBytes);
        QCOMPARE(port->input(), QString::fromLatin1(flowBytes)); // handshaking 0: plain bytes
        port->setHandshaking(1);
        pty->send(QByteArray() + Dc1 + 'b' + Dc3 + 'c');
        QCOMPARE(port->input(), QStringLiteral("bc"));

        QElapsedTimer timer;
        timer.start();
        port->output("Y");
        QVERIFY(timer.elapsed() < 100);
        QCOMPARE(pty->received(1, 100), QByteArray()); // held, 'c' did not release it
        port->setHandshaking(0);
        QCOMPARE(pty->received(1), QByteArray("Y"));

        port->setHandshaking(1);
        pty->send(QByteArray(1, Dc3));
        QCOMPARE(port->inBufferCount(), 0);
        port->output("Z");
        pty->send(QByteArray(1, Dc1));
        QByteArray released; // QTRY_COMPARE reads once more at the end
        QTRY_COMPARE(released += pty->received(1, 10), QByteArray("Z")); // sent by the event loop

        pty->send(QByteArray(1, Dc3));
        QCOMPARE(port->inBufferCount(), 0);
        port->output("lost");
        port->discardOutput();
        port->setHandshaking(0);
        QCOMPARE(pty->received(1, 100), QByteArray());
    }

    void closesAtOnceOnHangUp() {
        open();
        pty->hangUp();
        const double before = cpuMilliseconds();
        QEventLoop loop;
        QTimer::singleShot(300, &loop, &QEventLoop::quit);
        loop.exec();
        QVERIFY2(cpuMilliseconds() - before < 30, "spinning on a hung-up port");

        QVERIFY(port->portOpen());
        const QString failure = failureOf([&] { port->input(); });
        QVERIFY2(failure.contains("COM7 (" + pty->device() + "): device gone"),
                 qPrintable(failure));
        QCOMPARE(failureOf([&] { port->input(); }), QString()); // reported once
        QCOMPARE(port->inBufferCount(), 0);
        pty.emplace(); // COM7 on a new device: a fresh open, not the dead descriptor
        port->setPortOpen(false);
        port->setPortOpen(true);
        port->output("A");
        QCOMPARE(pty->received(1), QByteArray("A"));
    }

    void nextCallSeesHangUp() {
        const std::function<void()> operations[] = {
            [&] { port->inBufferCount(); }, [&] { port->input(); }, [&] { port->output("A"); }};
        for (const auto& operation : operations) {
            pty.emplace();
            open();
            pty->hangUp(); // and no event loop runs before the call
            QVERIFY(failureOf(operation).contains(pty->device()));
            port->setPortOpen(false);
        }
    }

    void closedPortRefusesIoButNotDiscards() {
        port->discardInput();
        port->discardOutput();
        QVERIFY(failureOf([&] { port->output("A"); }).contains("closed"));
    }
};

QTEST_GUILESS_MAIN(QtSerialPortTest)
#include "tst_qt_serial_port.moc"
