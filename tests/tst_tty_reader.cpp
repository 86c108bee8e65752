#include "platform/TtyReader.h"
#include "tools/Pty.h"

#include <QTest>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

// Reading a terminal straight from its descriptor: everything waiting arrives in one
// fetch, nothing waiting is no failure, and a vanished far end is told from the bytes it
// sent before.
class TtyReaderTest : public QObject {
    Q_OBJECT
private slots:
    void fetchesWhatWaits_data();
    void fetchesWhatWaits();
    void farEndGone();
    void closedDescriptorFails();
};

namespace {

int openClient(const Pty& pty) {
    return ::open(pty.slavePath().c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY);
}

void send(const Pty& pty, const QByteArray& bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(pty.master(), bytes.constData() + done, bytes.size() - done);
        QVERIFY(n > 0);
        done += n;
    }
}

} // namespace

void TtyReaderTest::fetchesWhatWaits_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("nothing") << QByteArray();
    QTest::newRow("an answer") << QByteArray("\r463\n>\x11");
    QTest::newRow("every byte value") << [] {
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all += char(i);
        return all;
    }();
    // Short of the 4 KB a terminal holds for a reader that does not read.
    QTest::newRow("a long burst") << QByteArray(4000, 'x');
}

void TtyReaderTest::fetchesWhatWaits() {
    QFETCH(QByteArray, bytes);
    Pty pty;
    const int fd = openClient(pty);
    QVERIFY(fd >= 0);
    send(pty, bytes);
    TtyReader reader;
    QCOMPARE(reader.fetch(fd), TtyReader::Outcome::Fine);
    QCOMPARE(reader.take(), bytes);
    QCOMPARE(reader.size(), 0);
    QCOMPARE(reader.fetch(fd), TtyReader::Outcome::Fine); // and nothing more
    QCOMPARE(reader.size(), 0);
    ::close(fd);
}

void TtyReaderTest::farEndGone() {
    Pty pty;
    const int fd = openClient(pty);
    QVERIFY(fd >= 0);
    send(pty, "|POS");
    pty.closeMaster();
    TtyReader reader;
    QCOMPARE(reader.fetch(fd), TtyReader::Outcome::HungUp);
    QCOMPARE(reader.take(), QByteArray()); // a pseudo-terminal drops what was unread
    QVERIFY(TtyReader::hungUp(fd));
    ::close(fd);
}

void TtyReaderTest::closedDescriptorFails() {
    Pty pty;
    const int fd = openClient(pty);
    ::close(fd);
    TtyReader reader;
    QCOMPARE(reader.fetch(fd), TtyReader::Outcome::Failed);
    QCOMPARE(reader.error(), EBADF);
}

QTEST_MAIN(TtyReaderTest)
#include "tst_tty_reader.moc"
