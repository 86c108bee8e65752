#include "FullDisk.h"
#include "service/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray bytesOf(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("cannot read");
}

const QByteArray Old(700, 'o');

// As the owner, the group and others have them; Qt adds the running user's own.
QFile::Permissions modeOf(const QString& file) {
    return QFile::permissions(file) & ~QFile::Permissions(0x0f00);
}

} // namespace

// The one writer of every file the tool writes: whole or not at all.
class SafeFileTest : public QObject {
    Q_OBJECT
private slots:
    void fullDiskKeepsTheOldFile_data();
    void fullDiskKeepsTheOldFile();
    void deviceIsWrittenStraight();
    void replacementKeepsLinkAndPermissions();
    void obstacleIsNamed_data();
    void obstacleIsNamed();
};

void SafeFileTest::fullDiskKeepsTheOldFile_data() {
    QTest::addColumn<bool>("existing");
    QTest::addColumn<int>("size");
    // Small enough to sit in one buffer until the last flush, and larger than any buffer.
    QTest::newRow("small over an old file") << true << 300;
    QTest::newRow("large over an old file") << true << 200000;
    QTest::newRow("small, new") << false << 300;
}

void SafeFileTest::fullDiskKeepsTheOldFile() {
    QFETCH(bool, existing);
    QFETCH(int, size);
    FullDisk disk;
    if (!disk.mounted())
        QSKIP(qPrintable(disk.why()));
    const QString file = existing ? disk.write("old.profile", Old) : disk.path("new.profile");
    disk.fill();
    QCOMPARE(SafeFile::write(file, QByteArray(size, 'n')),
             QStringLiteral("No space left on device"));
    QCOMPARE(disk.names(), existing ? QStringList{"old.profile"} : QStringList());
    if (existing)
        QCOMPARE(bytesOf(file), Old);
}

void SafeFileTest::deviceIsWrittenStraight() {
    QCOMPARE(SafeFile::write("/dev/full", "CODE=BIN\n"), QStringLiteral("No space left on device"));
    QCOMPARE(SafeFile::write("/dev/null", "CODE=BIN\n"), QString());
}

void SafeFileTest::replacementKeepsLinkAndPermissions() {
    QTemporaryDir dir;
    const QString target = dir.filePath("kept.profile");
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(Old);
    old.close();
    const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(old.setPermissions(mode));
    const QString link = dir.filePath("link.profile");
    QVERIFY(QFile::link(target, link));

    SafeFile out(link);
    QVERIFY(out.open());
    QCOMPARE(bytesOf(target), Old); // nothing changes before the commit
    QVERIFY2(out.commit("NR=16\n"), qPrintable(out.errorString()));
    QCOMPARE(bytesOf(target), QByteArray("NR=16\n"));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(modeOf(target), mode);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{"kept.profile", "link.profile"}));

    // One never committed leaves nothing behind.
    {
        SafeFile abandoned(dir.filePath("abandoned.profile"));
        QVERIFY(abandoned.open());
    }
    QCOMPARE(
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
        2);
}

void SafeFileTest::obstacleIsNamed_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("why");
    QTest::newRow("folder") << "."
                            << "it is a folder";
    QTest::newRow("file in the way") << "plain/x.profile"
                                     << "%1/plain is not a folder";
    QTest::newRow("missing folder") << "gone/x.profile"
                                    << "the folder %1/gone does not exist";
}

void SafeFileTest::obstacleIsNamed() {
    QFETCH(QString, name);
    QFETCH(QString, why);
    QTemporaryDir dir;
    QFile plain(dir.filePath("plain"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    QCOMPARE(SafeFile::write(dir.filePath(name), "x"), why.arg(dir.path()));
}

QTEST_GUILESS_MAIN(SafeFileTest)
#include "tst_safe_file.moc"
