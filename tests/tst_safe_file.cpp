#include "FullDisk.h"
#include "service/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
    void replacementKeepsLinkAndPermissions();
};

void SafeFileTest::fullDiskKeepsTheOldFile_data() {
    QTest::addColumn<bool>("existing");
    QTest::addColumn<bool>("filled");
    QTest::addColumn<int>("size");
    QTest::newRow("over an old file, no room") << true << true << 300;
    // The first writes go, then the room runs out.
    QTest::newRow("over an old file, too little room") << true << false << 200000;
    QTest::newRow("new, no room") << false << true << 300;
}

void SafeFileTest::fullDiskKeepsTheOldFile() {
    QFETCH(bool, existing);
    QFETCH(bool, filled);
    QFETCH(int, size);
    FullDisk disk;
    if (!disk.mounted())
        QSKIP(qPrintable(disk.why()));
    const QString file = existing ? disk.write("old.profile", Old) : disk.path("new.profile");
    if (filled)
        disk.fill();
    QCOMPARE(SafeFile::write(file, QByteArray(size, 'n')),
             QStringLiteral("No space left on device"));
    QCOMPARE(disk.names(), existing ? QStringList{"old.profile"} : QStringList());
    if (existing)
        QCOMPARE(bytesOf(file), Old);
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

QTEST_GUILESS_MAIN(SafeFileTest)
#include "tst_safe_file.moc"
