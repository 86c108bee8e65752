#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode;
    QString out;
    QString err;
};

// The built tool with the given arguments and no display at all: the answers must not
// need the window system. The settings go under folder, named by XDG_CONFIG_HOME or, with
// that unset, by HOME.
Run zintor(const QStringList& arguments, const QString& folder,
           const QString& variable = QStringLiteral("XDG_CONFIG_HOME")) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(variable, folder);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ZINTOR_PATH), arguments);
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, {}, process.errorString()};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void versionPrintsTheRelease_data();
    void versionPrintsTheRelease();
    void helpExplainsPortsAndStoredNumber();
    void helpWritesTheHomeFolderAsTilde();
    void anythingElseIsRefusedWithUsage_data();
    void anythingElseIsRefusedWithUsage();

private:
    QTemporaryDir m_config;
};

void CommandLineTest::versionPrintsTheRelease_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("long") << QStringList{"--version"};
    QTest::newRow("short") << QStringList{"-v"};
}

void CommandLineTest::versionPrintsTheRelease() {
    QFETCH(QStringList, arguments);
    const Run run = zintor(arguments, m_config.path());
    QCOMPARE(run.err, QString());
    QCOMPARE(run.out, QStringLiteral("Zintor V3.2\n"));
    QCOMPARE(run.exitCode, 0);
}

void CommandLineTest::helpExplainsPortsAndStoredNumber() {
    for (const QString& option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const Run run = zintor({option}, m_config.path());
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith(QStringLiteral("Usage: zintor")));
        QVERIFY(run.out.contains(QStringLiteral("ZINTOR_COM<n>")));
        QVERIFY(run.out.contains(m_config.filePath("QTX_Zintor/QTX_Zintor.conf")));
    }
}

// The manual page is made from this text: it must read the same whoever builds it.
void CommandLineTest::helpWritesTheHomeFolderAsTilde() {
    const Run run = zintor({QStringLiteral("--help")}, m_config.path(), QStringLiteral("HOME"));
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.contains(QStringLiteral(" ~/.config/QTX_Zintor/QTX_Zintor.conf\n")));
    QVERIFY(!run.out.contains(m_config.path()));
}

void CommandLineTest::anythingElseIsRefusedWithUsage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("refused");
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << "--frobnicate";
    QTest::newRow("argument") << QStringList{"COM1"} << "COM1";
    QTest::newRow("after a good one") << QStringList{"--version", "-x"} << "-x";
}

void CommandLineTest::anythingElseIsRefusedWithUsage() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, refused);
    const Run run = zintor(arguments, m_config.path());
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.out, QString());
    QVERIFY(run.err.startsWith(QStringLiteral("zintor: unknown option '%1'").arg(refused)));
    QVERIFY(run.err.contains(QStringLiteral("Usage: zintor")));
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_command_line.moc"
