#include "ModalAnswers.h"
#include "SimPanel.h"
#include "platform/Colors.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The unit the tests read from: every writable item away from the encoder's defaults.
void configure(SimPanel& panel) {
    for (const char* word : {"BIN", "CCLW", "EVEN"})
        panel.press(word);
    panel.c.TxtNS->setText(QStringLiteral("4096"));
    panel.press("NS");
    panel.c.TxtNR->setText(QStringLiteral("64"));
    panel.press("NR");
}

QStringList itemLines(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {QStringLiteral("cannot read ") + file};
    QStringList lines = QString::fromLatin1(in.readAll()).split(u'\n', Qt::SkipEmptyParts);
    lines.removeIf([](const QString& line) { return line.startsWith(u'#'); });
    return lines;
}

void write(const QString& file, const QByteArray& text) {
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(text);
}

// Every command went out whole: "|", the text, CR, never two interleaved.
bool framesWhole(const QString& wire) {
    const QStringList frames = wire.split(u'\r');
    return frames.last().isEmpty() &&
           std::all_of(frames.begin(), frames.end() - 1,
                       [](const QString& f) { return f.startsWith(u'|') && f.count(u'|') == 1; });
}

const QString SixItems = QStringLiteral("CODE=BIN\nCNT=CCLW\nPAR=EVEN\nOFST=0\nNS=4096\nNR=64\n");

} // namespace

class ConfigurationsTest : public QObject {
    Q_OBJECT
private slots:
    void saveThenApplyToASecondEncoderAndCompare();
    void refusedItemEndsTheApply();
    void badProfileIsRefusedBeforeAnyByte();
    void cancelLetsTheRunningExchangeFinish();
    void portFailureSaysWhatWasWritten();
    void applyWhilePollingWaitsForThePollToEnd();
    void saveTellsWhyNothingWasSaved();
    void progressWindowEndsWithItsApply();
    void longValueIsCutInWhatIsShown();

private:
    QTemporaryDir m_dir;
};

void ConfigurationsTest::saveThenApplyToASecondEncoderAndCompare() {
    SimPanel panel;
    configure(panel);
    ModalAnswers answers;
    const QString first = m_dir.filePath("first.profile");
    answers.files << first;
    panel.form.menu().ActSaveConfiguration->trigger();
    QVERIFY(panel.wire().endsWith(QStringLiteral("|STP\r|POS\r")));
    QCOMPARE(itemLines(first), (QStringList{"CODE=BIN", "CNT=CCLW", "PAR=EVEN", "ZPV=0", "OFST=0",
                                            "NS=4096", "NR=64"}));
    // The panel shows the listing as after the listing button.
    QCOMPARE(Colors::backColor(panel.c.command("BIN")), Colors::LightGreen);
    QCOMPARE(panel.c.TxtNR->text(), QStringLiteral("64"));

    // A second encoder, as it comes new, on the same serial line.
    panel.port.setPortOpen(false);
    panel.start();
    const qsizetype before = panel.wire().size();
    answers.files << first;
    panel.form.menu().ActApplyConfiguration->trigger();
    QCOMPARE(answers.messages.last(),
             QStringLiteral("Write CODE=BIN, CNT=CCLW, PAR=EVEN, OFST=0, NS=4096, NR=64 to the "
                            "encoder on COM1?"));
    QCOMPARE(answers.progressShown, 1);
    QCOMPARE(panel.wire().mid(before),
             QStringLiteral("|BIN\r|CCLW\r|EVEN\r|OFST=0\r|NS=4096\r|NR=64\r|STP\r|POS\r"));
    QCOMPARE(answers.headline, QStringLiteral("All 6 items written and read back equal"));
    QCOMPARE(answers.table.size(), 7);
    QCOMPARE(answers.table.last(), (QStringList{"ZPV", "0", "0", "read-only"}));
    // The read-back listing fills the panel, the calculator's figures included.
    QCOMPARE(panel.c.TxtNS->text(), QStringLiteral("4096"));
    QVERIFY(!panel.c.TxtResult[0]->text().isEmpty());

    const QString second = m_dir.filePath("second.profile");
    answers.files << second;
    panel.form.menu().ActSaveConfiguration->trigger();
    QCOMPARE(itemLines(second), itemLines(first));

    answers.files << first;
    panel.form.menu().ActCompareConfiguration->trigger();
    QCOMPARE(answers.headline, QStringLiteral("All 6 items read back equal"));
    QVERIFY(panel.wire().endsWith(QStringLiteral("|NR=64\r|STP\r|POS\r|STP\r|POS\r|STP\r|POS\r")));
}

void ConfigurationsTest::refusedItemEndsTheApply() {
    SimPanel panel({"--refuse", "NS"});
    ModalAnswers answers;
    const QString file = m_dir.filePath("refused.profile");
    write(file, SixItems.toLatin1());
    answers.files << file;
    panel.form.menu().ActApplyConfiguration->trigger();
    QCOMPARE(answers.headline, QStringLiteral("Refused at NS (!?): 4 written, 2 not written"));
    QCOMPARE(answers.table.at(4), (QStringList{"NS", "4096", "8192", "refused (!?)"}));
    QCOMPARE(answers.table.at(5).last(), QStringLiteral("not written"));
    QVERIFY(!panel.wire().contains(QStringLiteral("NR=64")));
    QVERIFY(panel.c.CmdPuls[0]->isEnabled());
}

void ConfigurationsTest::badProfileIsRefusedBeforeAnyByte() {
    SimPanel panel;
    ModalAnswers answers;
    const QString file = m_dir.filePath("bad.profile");
    write(file, "CODE=BIN\n# fine\nNS 4096\nNR=16\n");
    answers.files << file;
    panel.form.menu().ActApplyConfiguration->trigger();
    QCOMPARE(answers.messages.size(), 1);
    QVERIFY2(answers.messages[0].startsWith(file + QStringLiteral(":3: ")),
             qPrintable(answers.messages[0]));
    QCOMPARE(answers.progressShown, 0);
    QCOMPARE(panel.wire(), QString());
}

void ConfigurationsTest::cancelLetsTheRunningExchangeFinish() {
    SimPanel panel;
    ModalAnswers answers;
    const QString file = m_dir.filePath("cancelled.profile");
    write(file, SixItems.toLatin1());
    answers.files << file;
    answers.cancelAt = QStringLiteral("PAR");
    panel.form.menu().ActApplyConfiguration->trigger();
    QCOMPARE(panel.wire(), QStringLiteral("|BIN\r|CCLW\r|EVEN\r"));
    QCOMPARE(answers.headline, QStringLiteral("Stopped: 3 written, 3 not written"));
    QCOMPARE(answers.table.at(2).last(), QStringLiteral("written, not read back"));
    QCOMPARE(answers.table.at(3).last(), QStringLiteral("not written"));
    QVERIFY(panel.c.CmdPuls[0]->isEnabled());
}

void ConfigurationsTest::portFailureSaysWhatWasWritten() {
    SimPanel panel({"--hangup-after", "3"});
    ModalAnswers answers;
    const QString file = m_dir.filePath("halfway.profile");
    write(file, SixItems.toLatin1());
    answers.files << file;
    panel.form.menu().ActApplyConfiguration->trigger();
    QVERIFY2(answers.headline.startsWith(QStringLiteral("Port failure: COM1 (")),
             qPrintable(answers.headline));
    QVERIFY2(answers.headline.endsWith(QStringLiteral("; 3 written, 3 not written")),
             qPrintable(answers.headline));
    QCOMPARE(answers.table.size(), 6);
    QCOMPARE(answers.table.at(2).last(), QStringLiteral("written, not read back"));
    QCOMPARE(answers.table.at(3).last(), QStringLiteral("not written"));
}

void ConfigurationsTest::applyWhilePollingWaitsForThePollToEnd() {
    SimPanel panel;
    ModalAnswers answers;
    const QString file = m_dir.filePath("polled.profile");
    write(file, "CODE=BIN\nNR=16\n");
    answers.files << file;
    QTimer::singleShot(800, &panel.form, [&] {
        QVERIFY(panel.c.ChkCont->isChecked());
        panel.form.menu().ActApplyConfiguration->trigger();
    });
    QTest::mouseClick(panel.c.ChkCont, Qt::LeftButton); // returns once polling has ended
    QTRY_COMPARE(answers.headline, QStringLiteral("All 2 items written and read back equal"));
    QVERIFY(!panel.c.ChkCont->isChecked());
    const QString wire = panel.wire();
    QVERIFY2(framesWhole(wire), qPrintable(wire));
    QVERIFY2(wire.startsWith(QStringLiteral("|POS\r")), qPrintable(wire));
    QVERIFY2(wire.endsWith(QStringLiteral("|POS\r|BIN\r|NR=16\r|STP\r|POS\r")), qPrintable(wire));
}

void ConfigurationsTest::saveTellsWhyNothingWasSaved() {
    SimPanel panel({"--refuse", "STP"});
    ModalAnswers answers;
    answers.files << m_dir.filePath("never.profile");
    panel.form.menu().ActSaveConfiguration->trigger();
    QCOMPARE(answers.messages.size(), 1);
    QVERIFY2(answers.messages[0].contains(QStringLiteral("COM1")), qPrintable(answers.messages[0]));
    QVERIFY2(answers.messages[0].contains(QStringLiteral("refused (!?)")),
             qPrintable(answers.messages[0]));
    QCOMPARE(answers.files.size(), 1); // no file was asked for
    QVERIFY(!QFile::exists(m_dir.filePath("never.profile")));
}

// Its label never claims a stop that nobody asked for, and it is gone once the apply is.
void ConfigurationsTest::progressWindowEndsWithItsApply() {
    SimPanel panel;
    ModalAnswers answers;
    const QString file = m_dir.filePath("twice.profile");
    write(file, "CODE=BIN\nNR=16\n");
    QStringList labels;
    answers.onResult = [&labels](QWidget*) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<QProgressDialog*>(w))
                labels << progress->labelText();
    };
    const auto progressWindows = [] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QWidgetList all = QApplication::topLevelWidgets();
        return std::count_if(all.begin(), all.end(), [](QWidget* w) {
            return w->objectName() == u"ConfigurationProgress";
        });
    };
    for (int apply = 1; apply <= 2; ++apply) {
        answers.files << file;
        panel.form.menu().ActApplyConfiguration->trigger();
        QCOMPARE(answers.headline, QStringLiteral("All 2 items written and read back equal"));
        QCOMPARE(progressWindows(), 0);
    }
    QCOMPARE(answers.progressShown, 2);
    QVERIFY2(!labels.join(u'\n').contains(QStringLiteral("Stopping")),
             qPrintable(labels.join(u'\n')));
}

// A value of 2,000 digits: whatever window comes up (the question, or a refusal) shows it cut.
void ConfigurationsTest::longValueIsCutInWhatIsShown() {
    SimPanel panel;
    ModalAnswers answers;
    answers.confirm = false;
    const QString file = m_dir.filePath("long.profile");
    write(file, "CODE=BIN\nNS=" + QByteArray(2000, '7') + '\n');
    answers.files << file;
    panel.form.menu().ActApplyConfiguration->trigger();
    QCOMPARE(answers.messages.size(), 1);
    QVERIFY2(answers.messages[0].size() < 300, qPrintable(answers.messages[0].left(300)));
    QVERIFY2(answers.messages[0].contains(QStringLiteral("NS=")), qPrintable(answers.messages[0]));
    QCOMPARE(panel.wire(), QString());
}

QTEST_MAIN(ConfigurationsTest)
#include "tst_configurations.moc"
