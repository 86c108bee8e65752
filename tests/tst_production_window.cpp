#include "ModalAnswers.h"
#include "ProductionRig.h"
#include "SimPanel.h"
#include "panel/ProductionRun.h"
#include "panel/ProductionSetup.h"
#include "panel/RecordsWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray Approved = "CODE=BIN\nCNT=CCLW\nPAR=EVEN\nOFST=10\nNS=4096\nNR=8\n";

template <typename T> T* shown(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->objectName() == QLatin1String(name))
            return qobject_cast<T*>(w);
    return nullptr;
}

void picture(QWidget* window, const QString& name) {
    const QDir folder(qEnvironmentVariable("ZINTOR_ARTEFACTS", ZINTOR_ARTEFACTS));
    QVERIFY(folder.mkpath("."));
    QVERIFY2(window->grab().save(folder.filePath(name)), qPrintable(folder.filePath(name)));
}

using ProductionRig::scan;

} // namespace

class ProductionWindowTest : public QObject {
    Q_OBJECT
private slots:
    void runUnitsThenReadTheRecords();
    void stopEndsAfterTheRunningExchange();
    void menuFollowsTheRun();

private:
    ProductionRun* startRun(SimPanel& panel, const QString& store);
    QTemporaryDir m_dir;
};

ProductionRun* ProductionWindowTest::startRun(SimPanel& panel, const QString& store) {
    QFile profile(m_dir.filePath("approved.profile"));
    if (!profile.open(QIODevice::WriteOnly) || profile.write(Approved) != Approved.size())
        return nullptr;
    profile.close();
    return ProductionRig::start(panel.form, profile.fileName(), store, [](ProductionSetup* setup) {
        picture(setup, "production-setup.png");
    });
}

void ProductionWindowTest::runUnitsThenReadTheRecords() {
    SimPanel panel;
    ModalAnswers answers;
    const QString store = m_dir.filePath("window.sqlite");
    ProductionRun* run = startRun(panel, store);
    QVERIFY(run);
    QVERIFY(QTest::qWaitForWindowActive(run));
    QCOMPARE(QApplication::focusWidget(), run->SerialEntry);
    QVERIFY(!panel.c.CmdPuls[0]->isEnabled()); // locked for the whole run
    for (const char* serial : {"U01", "U02"}) {
        scan(run, serial); // returns once the unit is through, as a press does
        QTRY_VERIFY_WITH_TIMEOUT(!run->unitRunning(), 15000);
        QVERIFY2(run->UnitOutcome->text().startsWith(QStringLiteral("PASS ") + serial),
                 qPrintable(run->UnitOutcome->text() + answers.messages.join('\n')));
        QVERIFY(!panel.c.CmdPuls[0]->isEnabled());
    }
    QVERIFY(panel.wire().contains("|NS=4096\r"));
    panel.start({"--refuse", "NS"}); // a new unit, on a line that was unplugged meanwhile
    scan(run, "U03");
    QVERIFY2(run->UnitOutcome->text().contains("connection lost") &&
                 run->UnitOutcome->text().endsWith("port failure; written: nothing"),
             qPrintable(run->UnitOutcome->text()));
    scan(run, "U04"); // the port opens again; this unit refuses an item
    QCOMPARE(run->UnitOutcome->text(), "FAIL U04\nNS refused (!?)");
    QCOMPARE(run->RunCounts->text(), "Units 4   Passed 2   Failed 2");
    QCOMPARE(run->UnitTable->item(0, 0)->text(), "U04");
    picture(run, "production-run.png");

    // The same serial again asks first; No sends nothing.
    QTimer::singleShot(0, [] {
        if (auto* box = shown<QMessageBox>("ConfirmRepeat"))
            box->button(QMessageBox::No)->click();
    });
    const QString before = panel.wire();
    scan(run, "U02");
    QVERIFY(!run->unitRunning());
    QCOMPARE(panel.wire(), before);
    // Bad input is refused before anything is sent.
    run->SerialEntry->setText(QStringLiteral("U\x1b"
                                             "04"));
    QTest::keyClick(run->SerialEntry, Qt::Key_Return);
    QVERIFY2(run->UnitOutcome->text().contains("not printable"),
             qPrintable(run->UnitOutcome->text()));
    QCOMPARE(panel.wire(), before);

    run->CmdStopRun->click();
    QTRY_VERIFY(panel.c.CmdPuls[0]->isEnabled()); // the run ended, the buttons are free

    panel.form.findChild<QAction*>("ActRecords")->trigger();
    auto* records = shown<RecordsWindow>("RecordsWindow");
    QVERIFY(records);
    QCOMPARE(records->RecordsTable->rowCount(), 4);
    QCOMPARE(records->RecordsTable->item(0, 1)->text(), "U04"); // newest first
    records->FilterOutcome->setCurrentIndex(2);                 // failed
    QCOMPARE(records->RecordsTable->rowCount(), 2);
    records->RecordsTable->selectRow(0);
    QCOMPARE(records->RecordItems->rowCount(), 6);
    QCOMPARE(records->RecordItems->item(4, 0)->text(), "NS");
    QCOMPARE(records->RecordItems->item(4, 3)->text(), "refused (!?)");
    records->FilterOutcome->setCurrentIndex(0);
    records->FilterSerial->setText("U01");
    QCOMPARE(records->RecordsTable->rowCount(), 1);
    records->FilterSerial->clear();
    picture(records, "records-window.png");
    records->close();
}

void ProductionWindowTest::stopEndsAfterTheRunningExchange() {
    SimPanel panel;
    ProductionRun* run = startRun(panel, m_dir.filePath("stop.sqlite"));
    QVERIFY(run);
    QTimer::singleShot(900, run->CmdStopRun, &QPushButton::click); // inside the unit
    scan(run, "S1");
    QTRY_VERIFY_WITH_TIMEOUT(!run->unitRunning(), 10000);
    QVERIFY2(QRegularExpression("^FAIL S1\nstopped; written: CODE( CNT)?( PAR)?$")
                 .match(run->UnitOutcome->text())
                 .hasMatch(),
             qPrintable(run->UnitOutcome->text()));
    QVERIFY(run->ended());
    QVERIFY(!run->SerialEntry->isEnabled());
    QVERIFY(!panel.wire().contains("|STP"));
    QVERIFY(panel.c.CmdPuls[0]->isEnabled());
}

// The run is work on the encoder as the menu's is: while it goes on nothing else on the
// encoder starts, no records window opens and an open one exports nothing. Records… opens
// one window however often asked.
void ProductionWindowTest::menuFollowsTheRun() {
    SimPanel panel;
    const QStringList names{"ActProductionRun",      "ActRecords",     "ActSaveConfiguration",
                            "ActApplyConfiguration", "ActFindEncoder", "ActSaveLog"};
    const auto enabled = [&panel, &names] {
        QStringList found;
        for (const QString& name : names)
            if (panel.form.findChild<QAction*>(name)->isEnabled())
                found << name;
        return found;
    };
    QCOMPARE(enabled(), names);
    auto* openRecords = panel.form.findChild<QAction*>("ActRecords");
    openRecords->trigger();
    openRecords->trigger();
    qsizetype windows = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        windows += w->isVisible() && qobject_cast<RecordsWindow*>(w);
    QCOMPARE(windows, 1);
    auto* records = shown<RecordsWindow>("RecordsWindow");
    QVERIFY(records->ActExportRecords->isEnabled());

    ProductionRun* run = startRun(panel, m_dir.filePath("lock.sqlite"));
    QVERIFY(run);
    QCOMPARE(enabled(), QStringList());
    QVERIFY(!records->ActExportRecords->isEnabled());
    run->CmdStopRun->click(); // between units: the run ends at once
    QCOMPARE(enabled(), names);
    QVERIFY(records->ActExportRecords->isEnabled());
    records->close();
}

QTEST_MAIN(ProductionWindowTest)
#include "tst_production_window.moc"
