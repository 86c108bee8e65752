#include "Com7PortTest.h"
#include "link/SerialError.h"
#include "platform/PortMap.h"

#include <QFile>
#include <QTest>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

const auto failureOf = Com7Device::failureOf;

} // namespace

// Which device a COM number opens, the line settings and handshaking it is given, and why
// an open fails.
class PortSettingsTest : public Com7PortTest {
    Q_OBJECT

private slots:
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
        qputenv(Com7Device::Variable, variable);
        QCOMPARE(PortMap::devicePath(number), device);
        qunsetenv(Com7Device::Variable);
    }

    void refusesImpossibleChoices() {
        for (const int number : {0, 256})
            QVERIFY(failureOf([&] { port->setCommPort(number); }).contains("no such port number"));
        for (const int code : {-1, 4})
            QVERIFY(!failureOf([&] { port->setHandshaking(code); }).isEmpty());
        open();
        QVERIFY(failureOf([&] { port->setCommPort(3); }).contains("close it first"));
        QCOMPARE(port->commPort(), Com7Device::Com);
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
            QVERIFY2(failure.contains("COM7 (" + pty->device() + ")") && failure.contains(text) &&
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
        qputenv(Com7Device::Variable, "/nonexistent/ttyX");
        port->setCommPort(Com7Device::Com);
        QString failure = failureOf([&] { port->setPortOpen(true); });
        QVERIFY2(failure.contains("COM7 (/nonexistent/ttyX): device not found"),
                 qPrintable(failure));
        QVERIFY(!port->portOpen());

        qputenv(Com7Device::Variable, pty->device().toLocal8Bit());
        open();
        QtSerialPort other;
        other.setCommPort(Com7Device::Com);
        failure = failureOf([&] { other.setPortOpen(true); });
        QVERIFY2(failure.contains("(" + pty->device() + "): in use by another program"),
                 qPrintable(failure));
    }

    void explainsMissingPermission() {
        QCOMPARE(::chmod(QFile::encodeName(pty->device()).constData(), 0), 0);
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
        ::stat(QFile::encodeName(pty->device()).constData(), &info);
        const QString group = QString::fromLocal8Bit(::getgrgid(info.st_gid)->gr_name);
        QVERIFY2(failure.contains("permission denied") &&
                     failure.contains("sudo usermod -aG " + group + " $USER"),
                 qPrintable(failure));
    }
};

QTEST_GUILESS_MAIN(PortSettingsTest)
#include "tst_port_settings.moc"
