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
#include <QtTest>

namespace {

void picture(QWidget* window, const QString& name) {
    const QDir folder(qEnvironmentVariable("ZINTOR_ARTEFACTS", ZINTOR_ARTEFACTS));
    QVERIFY(folder.mkpath("."));
    QVERIFY2(window->grab().save(folder.filePath(name)), qPrintable(folder.filePath(name)));
}

// The menu's actions that start work on the encoder.
QList<QAction*> workActions(Form1Menu& m) {
    return {m.ActSaveConfiguration, m.ActApplyConfiguration, m.ActCompareConfiguration,
            m.ActSaveReportPdf,     m.ActPrintReport,        m.ActFindEncoder};
}

QString enabledOnes(const QList<QAction*>& actions) {
    QStringList names;
    for (const QAction* action : actions)
        if (action->isEnabled())
            names << action->objectName();
    return names.join(u' ');
}

const QString AllSix = QStringLiteral("ActSaveConfiguration ActApplyConfiguration "
                                      "ActCompareConfiguration ActSaveReportPdf ActPrintReport "
                                      "ActFindEncoder");

// Ends a test that went wrong instead of leaving it polling for ever.
void stopPollingAfter(SimPanel& panel, int ms) {
    QTimer::singleShot(ms, &panel.form, [&panel] {
        panel.form.dialog().hide();
        panel.c.ChkCont->setChecked(false);
    });
}

} // namespace

class BusyRequestsTest : public QObject {
    Q_OBJECT
private slots:
    void actionsFollowTheButtonsLock();
    void requestsWhilePollingRunOnce_data();
    void requestsWhilePollingRunOnce();
    void findEncoderThreeTimesGivesOneSearch();
    void findInTheDialogWhilePollingSearchesAtOnce();
    void serialLineDuringAPressOpensOnceItIsOver();

private:
    QTemporaryDir m_dir;
};

// Locked during a press as the twenty buttons are; usable while Cont polls, since they stop
// the polling first; locked from such a request until the work has ended.
void BusyRequestsTest::actionsFollowTheButtonsLock() {
    SimPanel panel;
    const QList<QAction*> work = workActions(panel.form.menu());
    QAction* saveLog = panel.form.menu().ActSaveLog;
    QCOMPARE(enabledOnes(work), AllSix);

    QString duringPress;
    bool logDuringPress = false;
    QTimer::singleShot(100, &panel.form, [&] {
        duringPress = enabledOnes(work);
        logDuringPress = saveLog->isEnabled();
        auto* file = panel.form.findChild<QMenu*>(QStringLiteral("MenuFile"));
        file->popup(panel.form.mapToGlobal(QPoint(0, 20)));
        picture(file, "menu-locked.png");
        file->hide();
    });
    panel.press("STP");
    QCOMPARE(duringPress, QString());
    QVERIFY(logDuringPress); // the log is no work on the encoder
    QCOMPARE(enabledOnes(work), AllSix);

    ModalAnswers answers; // no file is given: the save is cancelled at its file dialog
    QString whilePolling, whileWaiting;
    bool logWhileWaiting = true, contWhileWaiting = true;
    QTimer::singleShot(700, &panel.form, [&] {
        whilePolling = enabledOnes(work);
        panel.form.menu().ActSaveConfiguration->trigger();
        whileWaiting = enabledOnes(work);
        logWhileWaiting = saveLog->isEnabled();
        contWhileWaiting = panel.c.ChkCont->isChecked();
    });
    stopPollingAfter(panel, 8000);
    QTest::mouseClick(panel.c.ChkCont, Qt::LeftButton); // returns once polling has ended
    QCOMPARE(whilePolling, AllSix);
    QCOMPARE(whileWaiting, QString());
    QVERIFY(!logWhileWaiting);
    QVERIFY(!contWhileWaiting);
    QTRY_COMPARE(enabledOnes(work), AllSix);
    QVERIFY(saveLog->isEnabled());
    QVERIFY(panel.c.CmdPuls[0]->isEnabled());
}

void BusyRequestsTest::requestsWhilePollingRunOnce_data() {
    QTest::addColumn<QString>("action");
    QTest::newRow("save") << "ActSaveConfiguration";
    QTest::newRow("apply") << "ActApplyConfiguration";
    QTest::newRow("compare") << "ActCompareConfiguration";
    QTest::newRow("report as PDF") << "ActSaveReportPdf";
    QTest::newRow("print") << "ActPrintReport";
}

// Three requests within 0.2 s while Cont polls: one runs, the others find it disabled; no
// window of its comes up twice at once.
void BusyRequestsTest::requestsWhilePollingRunOnce() {
    QFETCH(QString, action);
    SimPanel panel;
    auto* act = panel.form.findChild<QAction*>(action);
    QVERIFY(act);
    const QString profile = m_dir.filePath("once.profile");
    QFile out(profile);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("CODE=BIN\n");
    out.close();
    ModalAnswers answers;
    answers.printTo = m_dir.filePath(action + ".pdf");
    for (const char* name : {"once-1.profile", "once-2.profile", "once-3.profile"})
        answers.files << (action.contains(u"Save") ? m_dir.filePath(action + name) : profile);
    WindowTally windows;
    qsizetype before = -1;
    QList<bool> enabledAtRequest;
    for (int at : {700, 800, 900})
        QTimer::singleShot(at, &panel.form, [&] {
            if (before < 0)
                before = panel.wire().size();
            enabledAtRequest << act->isEnabled();
            act->trigger();
        });
    stopPollingAfter(panel, 15000);
    QTest::mouseClick(panel.c.ChkCont, Qt::LeftButton);
    QTRY_VERIFY(act->isEnabled());

    QCOMPARE(enabledAtRequest, (QList<bool>{true, false, false}));
    const QString sent = panel.wire().mid(before);
    QCOMPARE(sent.count(QStringLiteral("|STP\r")), 1);
    QCOMPARE(answers.files.size(), action == u"ActPrintReport" ? 3 : 2);
    for (const char* window : {"FileDialog", "ConfirmApply", "ConfigurationResult",
                               "ReportReference", "PrintReport", "MessageBox"})
        QVERIFY2(windows.mostOpen(QString::fromLatin1(window)) <= 1, window);
    QVERIFY(!panel.c.ChkCont->isChecked());
}

// With polling on, Line → Find encoder… three times within 0.2 s: one search at once, one
// result window.
void BusyRequestsTest::findEncoderThreeTimesGivesOneSearch() {
    SimPanel panel;
    QAction* find = panel.form.menu().ActFindEncoder;
    WindowTally windows;
    QList<bool> enabledAtRequest;
    for (int at : {700, 800, 900})
        QTimer::singleShot(at, &panel.form, [&] {
            if (enabledAtRequest.isEmpty())
                windows.mark();
            enabledAtRequest << find->isEnabled();
            find->trigger();
        });
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
    stopPollingAfter(panel, 8000);
    QTest::mouseClick(panel.c.ChkCont, Qt::LeftButton);
    QTRY_VERIFY(find->isEnabled());

    QCOMPARE(enabledAtRequest, (QList<bool>{true, false, false}));
    QCOMPARE(windows.shown("FindProgress"), 1);
    QCOMPARE(windows.shown("FindEncoder"), 1);
    QCOMPARE(windows.mostOpen("SetSeriale"), 1);
    // The running poll's exchange ends, then the search starts: well within a second.
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
    bool contAtProgress = true, lockedAtProgress = false, openAtResult = false;
    bool filled = false, findDisabledDuringSearch = false;
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
        findDisabledDuringSearch = !dialog.controls.CmdFind->isEnabled();
        picture(&dialog, "find-while-polling-searching.png");
    });
    steps.add("FindEncoder", [&](QWidget* window) {
        openAtResult = dialog.isVisible();
        auto* chooser = static_cast<FindEncoder*>(window);
        QVERIFY(chooser->CmdUse->isEnabled()); // the one found is chosen already
        chooser->CmdUse->click();
    });
    QTimer::singleShot(700, &panel.form, [&] { panel.c.Command1->click(); });
    stopPollingAfter(panel, 10000);
    QTest::mouseClick(panel.c.ChkCont, Qt::LeftButton);
    QTRY_VERIFY(steps.done());

    QVERIFY2(windows.firstAt("FindProgress") >= 0 && windows.firstAt("FindProgress") < 1000,
             qPrintable(QString::number(windows.firstAt("FindProgress"))));
    QVERIFY(!contAtProgress);
    QVERIFY(lockedAtProgress);
    QVERIFY(findDisabledDuringSearch);
    QVERIFY(openAtResult);
    QVERIFY(filled);
    QTRY_VERIFY(dialog.isHidden());
    QVERIFY(panel.c.CmdPuls[0]->isEnabled());
    QVERIFY(dialog.controls.CmdFind->isEnabled());
    QVERIFY(panel.form.menu().ActFindEncoder->isEnabled());
}

// The dialog may change the port under a command: it opens once the press is over, once
// however often it was asked for.
void BusyRequestsTest::serialLineDuringAPressOpensOnceItIsOver() {
    SimPanel panel;
    SetSeriale& dialog = panel.form.dialog();
    WindowTally windows;
    bool openDuringPress = true;
    QTimer::singleShot(100, &panel.form, [&] {
        panel.c.Command1->click();
        panel.form.menu().ActSerialLine->trigger();
        openDuringPress = dialog.isVisible();
    });
    QTimer::singleShot(3000, &dialog, [&] { dialog.hide(); });
    panel.press("STP");
    QVERIFY(!openDuringPress);
    QCOMPARE(panel.wire(), QStringLiteral("|STP\r|POS\r"));
    // The dialog's own wait runs inside this one until the timer above closes it.
    QTRY_COMPARE(windows.shown("SetSeriale"), 1);
    QTRY_VERIFY(dialog.isHidden());
    QCOMPARE(windows.shown("SetSeriale"), 1);
}

QTEST_MAIN(BusyRequestsTest)
#include "tst_busy_requests.moc"
