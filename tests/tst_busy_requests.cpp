#include "ModalAnswers.h"
#include "SimPanel.h"
#include "WhenShown.h"
#include "WindowTally.h"
#include "settings/FindEncoder.h"
#include "settings/SetSeriale.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

void picture(QWidget* window, const QString& name) {
    const QDir folder(qEnvironmentVariable("ZINTOR_ARTEFACTS", ZINTOR_ARTEFACTS));
    QVERIFY(folder.mkpath("."));
    QVERIFY2(window->grab().save(folder.filePath(name)), qPrintable(folder.filePath(name)));
}

// Those of the menu's actions that start work on the encoder which are enabled.
QStringList enabledWork(Form1Menu& m) {
    QStringList names;
    for (const QAction* action :
         {m.ActSaveConfiguration, m.ActApplyConfiguration, m.ActCompareConfiguration,
          m.ActSaveReportPdf, m.ActPrintReport, m.ActFindEncoder})
        if (action->isEnabled())
            names << action->objectName();
    return names;
}

// Each request in turn while Cont polls; a test that went wrong ends instead of polling on.
void requestWhilePolling(SimPanel& panel, const std::function<void()>& request) {
    for (int at : {700, 800, 900})
        QTimer::singleShot(at, &panel.form, request);
    QTimer::singleShot(10000, &panel.form, [&panel] {
        panel.form.dialog().hide();
        panel.c.ChkCont->setChecked(false);
    });
    QTest::mouseClick(panel.c.ChkCont, Qt::LeftButton); // returns once polling has ended
}

} // namespace

class BusyRequestsTest : public QObject {
    Q_OBJECT
private slots:
    void duringAPress();
    void requestsWhilePollingRunOnce_data();
    void requestsWhilePollingRunOnce();
    void findEncoderThreeTimesGivesOneSearch();
    void findInTheDialogWhilePollingSearchesAtOnce();

private:
    QTemporaryDir m_dir;
};

// The menu's work is locked as the twenty buttons are; Serial line, which may change the
// port under a command, opens its dialog once the press is over, once however often asked.
void BusyRequestsTest::duringAPress() {
    SimPanel panel;
    SetSeriale& dialog = panel.form.dialog();
    Form1Menu& menu = panel.form.menu();
    const QStringList all = enabledWork(menu);
    QCOMPARE(all.size(), 6);
    WindowTally windows;
    QStringList duringPress{"not looked at"};
    bool logDuringPress = false, dialogDuringPress = true;
    QTimer::singleShot(100, &panel.form, [&] {
        duringPress = enabledWork(menu);
        logDuringPress = menu.ActSaveLog->isEnabled(); // the log is no work on the encoder
        auto* file = panel.form.findChild<QMenu*>(QStringLiteral("MenuFile"));
        file->popup(panel.form.mapToGlobal(QPoint(0, 20)));
        picture(file, "menu-locked.png");
        file->hide();
        panel.c.Command1->click();
        menu.ActSerialLine->trigger();
        dialogDuringPress = dialog.isVisible();
    });
    QTimer::singleShot(3000, &dialog, [&] { dialog.hide(); });
    panel.press("STP");
    QCOMPARE(duringPress, QStringList());
    QVERIFY(logDuringPress);
    QVERIFY(!dialogDuringPress);
    QCOMPARE(panel.wire(), QStringLiteral("|STP\r|POS\r"));
    QCOMPARE(enabledWork(menu), all);
    // The dialog's own wait runs inside this one until the timer above closes it.
    QTRY_COMPARE(windows.shown("SetSeriale"), 1);
    QTRY_VERIFY(dialog.isHidden());
    QCOMPARE(windows.shown("SetSeriale"), 1);
}

void BusyRequestsTest::requestsWhilePollingRunOnce_data() {
    QTest::addColumn<QString>("action");
    QTest::newRow("save") << "ActSaveConfiguration";
    QTest::newRow("apply") << "ActApplyConfiguration";
    QTest::newRow("compare") << "ActCompareConfiguration";
    QTest::newRow("report as PDF") << "ActSaveReportPdf";
    QTest::newRow("print") << "ActPrintReport";
}

// Usable while Cont polls, as they stop the polling first; three requests within 0.2 s: one
// runs, the others find every such action disabled, and no window comes up twice at once.
void BusyRequestsTest::requestsWhilePollingRunOnce() {
    QFETCH(QString, action);
    SimPanel panel;
    auto* act = panel.form.findChild<QAction*>(action);
    const QString profile = m_dir.filePath("once.profile");
    QFile out(profile);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("CODE=BIN\n");
    out.close();
    ModalAnswers answers;
    answers.printTo = m_dir.filePath(action + ".pdf");
    for (const char* name : {"-1", "-2", "-3"})
        answers.files << (action.contains(u"Save") ? m_dir.filePath(action + name) : profile);
    WindowTally windows;
    qsizetype before = -1;
    QList<int> enabledAtRequest; // of the six
    bool logAtSecond = true, contAtSecond = true;
    requestWhilePolling(panel, [&] {
        if (before < 0)
            before = panel.wire().size();
        enabledAtRequest << int(enabledWork(panel.form.menu()).size());
        if (enabledAtRequest.size() == 2) {
            logAtSecond = panel.form.menu().ActSaveLog->isEnabled();
            contAtSecond = panel.c.ChkCont->isChecked();
        }
        act->trigger();
    });
    QTRY_VERIFY(act->isEnabled());

    QCOMPARE(enabledAtRequest, (QList<int>{6, 0, 0}));
    QVERIFY(!logAtSecond);
    QVERIFY(!contAtSecond);
    QCOMPARE(panel.wire().mid(before).count(QStringLiteral("|STP\r")), 1);
    QCOMPARE(answers.files.size(), action == u"ActPrintReport" ? 3 : 2);
    for (const char* window : {"FileDialog", "ConfirmApply", "ConfigurationResult",
                               "ReportReference", "PrintReport", "MessageBox"})
        QVERIFY2(windows.mostOpen(QString::fromLatin1(window)) <= 1, window);
    QCOMPARE(enabledWork(panel.form.menu()).size(), 6);
    QVERIFY(panel.form.menu().ActSaveLog->isEnabled());
    QVERIFY(panel.c.CmdPuls[0]->isEnabled());
}

// Line → Find encoder… three times within 0.2 s while Cont polls: one search, started as
// soon as the running poll's exchange is over, and one result window.
void BusyRequestsTest::findEncoderThreeTimesGivesOneSearch() {
    SimPanel panel;
    QAction* find = panel.form.menu().ActFindEncoder;
    WindowTally windows;
    QList<bool> enabledAtRequest;
    // Every result window is closed after long enough for a request held back to show.
    QTimer closer;
    connect(&closer, &QTimer::timeout, &panel.form, [&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == u"FindEncoder" && top->isVisible() &&
                !top->property("closing").toBool()) {
                top->setProperty("closing", true);
                QTimer::singleShot(400, top, [&panel, top] {
                    static_cast<QDialog*>(top)->reject();
                    panel.form.dialog().hide();
                });
            }
    });
    closer.start(20);
    requestWhilePolling(panel, [&] {
        if (enabledAtRequest.isEmpty())
            windows.mark();
        enabledAtRequest << find->isEnabled();
        find->trigger();
    });
    QTRY_VERIFY(find->isEnabled());

    QCOMPARE(enabledAtRequest, (QList<bool>{true, false, false}));
    QCOMPARE(windows.shown("FindProgress"), 1);
    QCOMPARE(windows.shown("FindEncoder"), 1);
    QVERIFY2(windows.firstAt("FindProgress") >= 0 && windows.firstAt("FindProgress") < 1000,
             qPrintable(QString::number(windows.firstAt("FindProgress"))));
    QVERIFY(panel.c.CmdPuls[0]->isEnabled());
}

// Cont ticked, Serial line, a baud rate chosen, then Find: the polling stops, the search
// shows its progress at once, and Use fills the dialog that is still open.
void BusyRequestsTest::findInTheDialogWhilePollingSearchesAtOnce() {
    SimPanel panel;
    SetSeriale& dialog = panel.form.dialog();
    WindowTally windows;
    bool contAtProgress = true, lockedAtProgress = false, findDisabledAtProgress = false;
    bool openAtResult = false, filled = false;
    // Once the dialog's probe is over, as the operator sees the dialog ready.
    const auto chooseThenFind = [&] {
        dialog.controls.AdvButton->click();
        dialog.controls.Baud48->click();
        windows.mark();
        dialog.controls.CmdFind->click();
        // Back here once the search and its result window are over.
        filled = dialog.isVisible() && dialog.controls.Baud96->isChecked();
        picture(&dialog, "find-while-polling-filled.png");
        dialog.controls.CancelButton->click();
    };
    connect(
        &dialog, &SetSeriale::loadFinished, this,
        [&] { QTimer::singleShot(50, &dialog, chooseThenFind); }, Qt::SingleShotConnection);
    WhenShown steps;
    steps.add("FindProgress", [&](QWidget*) {
        contAtProgress = panel.c.ChkCont->isChecked();
        lockedAtProgress = !panel.c.CmdPuls[0]->isEnabled();
        findDisabledAtProgress = !dialog.controls.CmdFind->isEnabled();
        picture(&dialog, "find-while-polling-searching.png");
    });
    steps.add("FindEncoder", [&](QWidget* window) {
        openAtResult = dialog.isVisible();
        auto* chooser = static_cast<FindEncoder*>(window);
        QVERIFY(chooser->CmdUse->isEnabled()); // the one found is chosen already
        chooser->CmdUse->click();
    });
    bool asked = false;
    requestWhilePolling(panel, [&] {
        if (!std::exchange(asked, true))
            panel.c.Command1->click();
    });
    QTRY_VERIFY(steps.done());

    QVERIFY2(windows.firstAt("FindProgress") >= 0 && windows.firstAt("FindProgress") < 1000,
             qPrintable(QString::number(windows.firstAt("FindProgress"))));
    QVERIFY(!contAtProgress);
    QVERIFY(lockedAtProgress);
    QVERIFY(findDisabledAtProgress);
    QVERIFY(openAtResult);
    QVERIFY(filled);
    QTRY_VERIFY(dialog.isHidden());
    QVERIFY(panel.c.CmdPuls[0]->isEnabled());
    QVERIFY(dialog.controls.CmdFind->isEnabled());
    QVERIFY(panel.form.menu().ActFindEncoder->isEnabled());
}

QTEST_MAIN(BusyRequestsTest)
#include "tst_busy_requests.moc"
