#include "FullDisk.h"
#include "ModalAnswers.h"
#include "SimPanel.h"

#include <QAction>
#include <QFile>
#include <QTest>

// The window's saves onto a disk with no room left: the file they were to replace keeps its
// bytes, nothing else is left there, and the operator is told which file and why.
class PanelFullDiskTest : public QObject {
    Q_OBJECT
private slots:
    void saveKeepsTheOldFile_data();
    void saveKeepsTheOldFile();
};

void PanelFullDiskTest::saveKeepsTheOldFile_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("name");
    QTest::newRow("configuration") << "ActSaveConfiguration"
                                   << "old.profile";
    QTest::newRow("exchange log") << "ActSaveLog"
                                  << "old.tsv";
    QTest::newRow("report") << "ActSaveReportPdf"
                            << "old.pdf";
    QTest::newRow("report printed to a file") << "ActPrintReport"
                                              << "printed.pdf";
}

void PanelFullDiskTest::saveKeepsTheOldFile() {
    QFETCH(QString, action);
    QFETCH(QString, name);
    FullDisk disk;
    if (!disk.mounted())
        QSKIP(qPrintable(disk.why()));
    const QByteArray old(700, 'o');
    const QString file = disk.write(name, old);
    disk.fill();
    SimPanel panel;
    panel.press("POS"); // something in the exchange log
    ModalAnswers answers;
    answers.files << file;
    answers.printTo = file; // the print dialog's file, once Qt's question to replace it is yes
    panel.form.findChild<QAction*>(action)->trigger();
    QVERIFY(!answers.messages.isEmpty());
    QCOMPARE(answers.messages.last(),
             file + QStringLiteral(" cannot be written: No space left on device"));
    QFile kept(file);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), old);
    QCOMPARE(disk.names(), QStringList{name});
}

QTEST_MAIN(PanelFullDiskTest)
#include "tst_panel_full_disk.moc"
