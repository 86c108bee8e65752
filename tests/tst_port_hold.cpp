#include "MessageCatcher.h"
#include "SimPanel.h"
#include "SimulatedCom1.h"
#include "platform/QtSerialPort.h"

#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

enum class Holder { Flock, Exclusive };

// Another program on the encoder's terminal: its own line settings, and its hold on it.
class OtherProgram {
public:
    OtherProgram(const QString& device, Holder holder)
        : m_fd(::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {
        termios tio{};
        ::tcgetattr(m_fd, &tio);
        ::cfsetspeed(&tio, B2400);
        tio.c_cflag |= PARODD;
        tio.c_iflag &= ~(IXON | IXOFF);
        tio.c_lflag |= ICANON;
        ::tcsetattr(m_fd, TCSANOW, &tio);
        m_set = line();
        m_held = holder == Holder::Flock ? ::flock(m_fd, LOCK_EX | LOCK_NB) == 0
                                         : ::ioctl(m_fd, TIOCEXCL) == 0;
    }
    ~OtherProgram() { ::close(m_fd); }

    bool held() const { return m_fd >= 0 && m_held; }
    // Its settings as it set them.
    bool untouched() const {
        const termios now = line();
        return now.c_iflag == m_set.c_iflag && now.c_oflag == m_set.c_oflag &&
               now.c_cflag == m_set.c_cflag && now.c_lflag == m_set.c_lflag &&
               ::cfgetospeed(&now) == ::cfgetospeed(&m_set) &&
               std::equal(std::begin(now.c_cc), std::end(now.c_cc), std::begin(m_set.c_cc));
    }

private:
    termios line() const {
        termios tio{};
        ::tcgetattr(m_fd, &tio);
        return tio;
    }

    int m_fd;
    bool m_held = false;
    termios m_set{};
};

// What the companion says and how it ends, run on COM1.
std::pair<int, QString> companion(const QStringList& arguments) {
    QProcess cli;
    cli.start(QStringLiteral(ZINTOR_CLI_PATH), arguments);
    cli.waitForFinished(30000);
    return {cli.exitCode(),
            QString::fromLocal8Bit(cli.readAllStandardOutput() + cli.readAllStandardError())};
}

bool tryLock(const QString& device) {
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return locked;
}

bool exclusive(const QString& device) {
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    int on = 0;
    ::ioctl(fd, TIOCGEXCL, &on);
    ::close(fd);
    return on != 0;
}

} // namespace

class PortHoldTest : public QObject {
    Q_OBJECT
private slots:
    void aHeldPortIsLeftAlone_data();
    void aHeldPortIsLeftAlone();
    void othersSeeTheToolsHold();
};

void PortHoldTest::aHeldPortIsLeftAlone_data() {
    QTest::addColumn<Holder>("holder");
    QTest::addColumn<QString>("frontEnd");
    // A terminal program's flock; the exclusive mode, which does not keep root out.
    for (const auto& [holder, name] :
         {std::pair{Holder::Flock, "flock"}, std::pair{Holder::Exclusive, "TIOCEXCL"}})
        for (const char* frontEnd : {"panel", "send", "find"})
            QTest::addRow("%s, %s", name, frontEnd) << holder << QString::fromLatin1(frontEnd);
}

// Nothing is written to a port that another program holds, and its settings stay its own.
void PortHoldTest::aHeldPortIsLeftAlone() {
    QFETCH(Holder, holder);
    QFETCH(QString, frontEnd);
    SimPanel panel; // COM1 leads to the encoder, probed at start-up before the other program
    const OtherProgram other(panel.line.link(), holder);
    QVERIFY(other.held());

    QString said;
    if (frontEnd == "panel") {
        MessageCatcher catcher;
        panel.press("POS");
        said = catcher.texts.join(u'\n');
        QVERIFY(panel.c.command("POS")->isEnabled());
    } else {
        const auto [status, out] = companion(frontEnd == "send" ? QStringList{"send", "POS"}
                                                                : QStringList{"find", "-p", "1"});
        QCOMPARE(status, 3);
        said = out;
    }
    QVERIFY2(said.contains(
                 QStringLiteral("COM1 (%1): in use by another program").arg(panel.line.link())),
             qPrintable(said));
    QCOMPARE(panel.wire(), QString());
    QVERIFY(other.untouched());
}

// The tool's own hold is seen as terminal programs look for one, and ends with the port.
void PortHoldTest::othersSeeTheToolsHold() {
    SimulatedCom1 line({}, "com1-held");
    QtSerialPort port;
    port.setCommPort(1);
    port.setPortOpen(true);
    QVERIFY(!tryLock(line.link()));
    QVERIFY(exclusive(line.link()));
    port.setPortOpen(false);
    QVERIFY(tryLock(line.link()));
    QVERIFY(!exclusive(line.link()));
}

QTEST_MAIN(PortHoldTest)
#include "tst_port_hold.moc"
