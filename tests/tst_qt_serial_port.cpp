#include "link/SerialError.h"
#include "platform/PortMap.h"
#include "platform/QtSerialPort.h"
#include "tools/Pty.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int Com = 7;
const QByteArray ComVariable = "ZINTOR_COM7";
constexpr char Dc1 = 0x11;
constexpr char Dc3 = 0x13;

// The device end of a pseudo-terminal, with COM7 mapped to the port end while it lives.
// COM7 names a private link to the port end: QSerialPort's lock file is named after the
// path, and a parallel test process may get the same pty number as soon as it is free.
struct Com7Device {
    Pty pty;
    QTemporaryDir folder;
    QString device = folder.filePath("ttyCOM7");

    Com7Device() {
        if (!QFile::link(QString::fromStdString(pty.slavePath()), device))
            qFatal("no link to the pseudo-terminal");
        // Open to all, for the test that tries the port as another user.
        ::chmod(QFile::encodeName(folder.path()).constData(), 0755);
        qputenv(ComVariable, device.toLocal8Bit());
    }
    ~Com7Device() { qunsetenv(ComVariable); }
    void send(const QByteArray& bytes) const {
        QCOMPARE(::write(pty.master(), bytes.constData(), bytes.size()), bytes.size());
    }
    // Up to `count` bytes the port has sent, waiting at most `ms` (no event loop runs).
    QByteArray received(qsizetype count, int ms = 1000) const {
        QDeadlineTimer deadline(ms);
        QByteArray bytes;
        pollfd entry{pty.master(), POLLIN, 0};
        while (bytes.size() < count && ::poll(&entry, 1, int(deadline.remainingTime())) == 1) {
            char chunk[256];
            const auto wanted = size_t(qMin<qsizetype>(sizeof chunk, count - bytes.size()));
            const ssize_t got = ::read(pty.master(), chunk, wanted);
            bytes.append(chunk, qMax<ssize_t>(0, got));
        }
        return bytes;
    }
    // The port end's termios: a pty master reports those of its slave.
    termios line() const {
        termios tio{};
        ::tcgetattr(pty.master(), &tio);
        return tio;
    }
    void hangUp() { pty.closeMaster(); }
};

QString failureOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const SerialError& e) {
        return e.description();
    }
    return {};
}

double cpuMilliseconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

} // namespace

class QtSerialPortTest : public QObject {
    Q_OBJECT

    std::optional<Com7Device> pty;
    std::unique_ptr<QtSerialPort> port;

    void open() {
        port->setCommPort(Com);
        port->setPortOpen(true);
    }

private slots:
    void init() {
        pty.emplace();
        port = std::make_unique<QtSerialPort>();
    }
    // The port first: its lock file would make a pty that reuses the number look busy.
    void cleanup() {
        port.reset();
        pty.reset();
    }

    void mapsNumbersToDevices_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QString>("device");
        QTest::newRow("COM4") << 4 << QByteArray() << "/dev/ttyS3";
        QTest::newRow("COM5") << 5 << QByteArray() << "/dev/ttyUSB0";
        QTest::newRow("COM12") << 12 << QByteArray() << "/dev/ttyACM3";
        QTest::newRow("COM13") << 13 << QByteArray() << "/dev/ttyS4";
        QTest::newRow("COM17") << 17 << QByteArray() << "/dev/ttyS8";
        QTest::newRow("COM255") << 255 << QByteArray() << "/dev/ttyS246";
        QTest::newRow("COM256") << 256 << QByteArray() << "";
        QTest::newRow("full path") << 7 << QByteArray("/dev/pts/9") << "/dev/pts/9";
        QTest::newRow("bare name") << 7 << QByteArray("ttyUSB7") << "/dev/ttyUSB7";
    }
    void mapsNumbersToDevices() {
        QFETCH(int, number);
        QFETCH(QByteArray, variable);
        QFETCH(QString, device);
        qputenv(ComVariable, variable);
        QCOMPARE(PortMap::devicePath(number), device);
        qunsetenv(ComVariable);
    }

    void refusesImpossibleChoices() {
        for (const int number : {0, 256})
            QVERIFY(failureOf([&] { port->setCommPort(number); }).contains("no such port number"));
        for (const int code : {-1, 4})
            QVERIFY(!failureOf([&] { port->setHandshaking(code); }).isEmpty());
        open();
        QVERIFY(failureOf([&] { port->setCommPort(3); }).contains("close it first"));
        QCOMPARE(port->commPort(), Com);
        QCOMPARE(port->handshaking(), 0);
    }

    void parsesAndAppliesSettings_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<speed_t>("speed"); // 0: custom, not checked
        QTest::addColumn<bool>("twoStops");
        QTest::newRow("plain") << "4800,n,8,1" << true << speed_t(B4800) << false;
        QTest::newRow("upper case") << "19200,E,7,2" << true << speed_t(B19200) << true;
        QTest::newRow("1.5 stops") << "1200,o,5,1.5" << true << speed_t(B1200) << true;
        QTest::newRow("mark") << "115200,M,6,1" << true << speed_t(B115200) << false;
        QTest::newRow("custom baud") << "12345,s,8,1" << true << speed_t(0) << false;
        for (const char* bad :
             {"9600,x,8,1", "9600,n,9,1", "9600,n,4,1", "9600,n,8,3", "9600,n,8,1.2", "0,n,8,1",
              "fast,n,8,1", "9600,n,8", "9600,n,8,1,1", "", "9600,nn,8,1"})
            QTest::newRow(bad) << bad << false << speed_t(B9600) << false;
    }
    void parsesAndAppliesSettings() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(speed_t, speed);
        QFETCH(bool, twoStops);
        open();
        const QString failure = failureOf([&] { port->setSettings(text); });
        if (valid) {
            QCOMPARE(failure, QString());
            QCOMPARE(port->settings(), text);
        } else {
            QVERIFY2(failure.contains("COM7 (" + pty->device + ")") && failure.contains(text) &&
                         failure.contains("9600,n,8,1"),
                     qPrintable(failure));
            QCOMPARE(port->settings(), SerialPort::SafeSettings);
        }
        const termios tio = pty->line();
        if (speed != 0)
            QCOMPARE(cfgetospeed(&tio), speed);
        QCOMPARE(bool(tio.c_cflag & CSTOPB), twoStops);
    }

    void setsHandshakingOnTheDescriptor_data() {
        QTest::addColumn<int>("code");
        QTest::newRow("none") << 0;
        QTest::newRow("XON/XOFF") << 1;
        QTest::newRow("RTS/CTS") << 2;
        QTest::newRow("both") << 3;
    }
    void setsHandshakingOnTheDescriptor() {
        QFETCH(int, code);
        const auto check = [&] {
            const termios tio = pty->line();
            QCOMPARE(bool(tio.c_iflag & IXON) && bool(tio.c_iflag & IXOFF), bool(code & 1));
            QCOMPARE(bool(tio.c_cflag & CRTSCTS), bool(code & 2));
            QVERIFY(!(tio.c_iflag & IXANY)); // only DC1 may restart held output
        };
        port->setHandshaking(code); // closed: applied at open
        open();
        check();
        port->setSettings("2400,n,8,2"); // QSerialPort must not undo it
        check();
        port->setHandshaking(3 - code);
        port->setHandshaking(code); // open: applied at once
        check();
    }

    void explainsOpenFailures() {
        qputenv(ComVariable, "/nonexistent/ttyX");
        port->setCommPort(Com);
        QString failure = failureOf([&] { port->setPortOpen(true); });
        QVERIFY2(failure.contains("COM7 (/nonexistent/ttyX): device not found"),
                 qPrintable(failure));
        QVERIFY(!port->portOpen());

        qputenv(ComVariable, pty->device.toLocal8Bit());
        open();
        QtSerialPort other;
        other.setCommPort(Com);
        failure = failureOf([&] { other.setPortOpen(true); });
        QVERIFY2(failure.contains("(" + pty->device + "): in use by another program"),
                 qPrintable(failure));
    }

    void explainsMissingPermission() {
        QCOMPARE(::chmod(QFile::encodeName(pty->device).constData(), 0), 0);
        int pipe[2];
        QCOMPARE(::pipe(pipe), 0);
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            // Root opens anything: try as nobody. A non-root owner is shut out by the mode.
            if (::geteuid() == 0 && (::setgroups(0, nullptr) || ::setgid(65534) || ::setuid(65534)))
                ::_exit(2);
            const QByteArray failure = failureOf([&] { open(); }).toUtf8();
            ::_exit(::write(pipe[1], failure.constData(), failure.size()) > 0 ? 0 : 1);
        }
        ::close(pipe[1]);
        QFile reader;
        QVERIFY(reader.open(pipe[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
        const QString failure = QString::fromUtf8(reader.readAll());
        int status = 0;
        ::waitpid(child, &status, 0);
        if (WEXITSTATUS(status) == 2)
            QSKIP("cannot drop root privileges here");
        struct stat info {};
        ::stat(QFile::encodeName(pty->device).constData(), &info);
        const QString group = QString::fromLocal8Bit(::getgrgid(info.st_gid)->gr_name);
        QVERIFY2(failure.contains("permission denied") &&
                     failure.contains("sudo usermod -aG " + group + " $USER"),
                 qPrintable(failure));
    }

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
        QVERIFY2(failure.contains("COM7 (" + pty->device + "): device gone"), qPrintable(failure));
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
            QVERIFY(failureOf(operation).contains(pty->device));
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
