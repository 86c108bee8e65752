#include "ModalAnswers.h"
#include "SimPanel.h"
#include "platform/Colors.h"
#include "platform/PortMap.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// What a poppler tool makes of a PDF, as text.
QString poppler(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return tool + QStringLiteral(" failed: ") + QString::fromLocal8Bit(process.readAll());
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfText(const QString& file) {
    return poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, "-"});
}

// Cells side by side on one line of the page, blanks between them as the layout leaves.
bool hasRow(const QString& text, const QStringList& cells) {
    QStringList words;
    for (const QString& cell : cells)
        for (const QString& word : cell.split(u' ', Qt::SkipEmptyParts))
            words << QRegularExpression::escape(word);
    return QRegularExpression(words.join(QStringLiteral("[ \\t]+"))).match(text).hasMatch();
}

// The caption of the group's button marked as the encoder's choice.
QString marked(SimPanel& panel, const QStringList& group) {
    for (const QString& word : group)
        if (Colors::backColor(panel.c.command(qPrintable(word))) == Colors::LightGreen)
            return word;
    return QStringLiteral("none marked");
}

void write(const QString& file, const QByteArray& text) {
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(text);
}

} // namespace

class ReportTest : public QObject {
    Q_OBJECT
private slots:
    void pdfHoldsWhatThePanelShows();
    void printGoesThroughThePrintDialog();
    void unwritablePlaceIsNamed();

private:
    QTemporaryDir m_dir;
};

void ReportTest::pdfHoldsWhatThePanelShows() {
    // Letter paper, where A4 is what most places use: the locale decides.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    SimPanel panel;
    for (const char* word : {"BCD", "EXTD", "ODD"})
        panel.press(word);
    panel.c.TxtNS->setText(QStringLiteral("8192"));
    panel.press("NS");
    panel.c.TxtNR->setText(QStringLiteral("3")); // a red zone: every figure differs
    panel.press("NR");
    ModalAnswers answers;
    const QString profile = m_dir.filePath("unit.profile");
    write(profile, "CODE=BCD\nNR=16\n");
    answers.files << profile;
    panel.form.menu().ActCompareConfiguration->trigger();
    QCOMPARE(answers.headline, QStringLiteral("1 item differs"));

    const QString pdf = m_dir.filePath("unit");
    answers.references << QStringLiteral("Press 4, axis X");
    answers.files << pdf;
    panel.form.menu().ActSaveReportPdf->trigger();
    QVERIFY(panel.wire().endsWith(QStringLiteral("|STP\r|POS\r")));
    const QString text = pdfText(pdf + QStringLiteral(".pdf"));

    QList<QStringList> rows{
        {QStringLiteral("Zintor configuration report")},
        {QStringLiteral("with Zintor"), QStringLiteral(ZINTOR_RELEASE)},
        {QStringLiteral("Machine or unit: Press 4, axis X")},
        {QStringLiteral("Port"), QStringLiteral("COM1")},
        {QStringLiteral("Device"), PortMap::devicePath(1)},
        {QStringLiteral("Line settings"), QStringLiteral("9600,n,8,1")},
        {QStringLiteral("Flow control"), QStringLiteral("Xon/Xoff")},
        {QStringLiteral("CODE"), marked(panel, {"GRAY", "BIN", "BCD"})},
        {QStringLiteral("CNT"), marked(panel, {"CLW", "CCLW", "EXTD"})},
        {QStringLiteral("PAR"), marked(panel, {"ODD", "EVEN", "POFF"})},
        {QStringLiteral("ZPV"), panel.c.LblZPV->text()},
        {QStringLiteral("OFST"), panel.c.TxtOFST->text()},
        {QStringLiteral("NS"), panel.c.TxtNS->text()},
        {QStringLiteral("NR"), panel.c.TxtNR->text()},
        {QStringLiteral("From NS 8192 and NR 3")},
        {QStringLiteral("Configuration compared")},
        {QStringLiteral("Profile: ") + profile},
        {answers.headline},
    };
    for (std::size_t i = 0; i < panel.c.TxtResult.size(); ++i)
        rows << QStringList{panel.c.LblRes[i]->text(), panel.c.TxtResult[i]->text()};
    rows << answers.table;
    for (const QStringList& row : std::as_const(rows))
        QVERIFY2(hasRow(text, row), qPrintable(row.join(u" | ") + u'\n' + text));
    QCOMPARE(panel.c.TxtResult[0]->text(), QStringLiteral("1365.33333333333"));
    const QRegularExpression position(QStringLiteral("Position\\s*\\n\\s*(\\d+)\\s*\\n"));
    QCOMPARE(position.match(text).captured(1), panel.c.LblPos->text());

    QVERIFY(poppler(QStringLiteral("pdfinfo"), {pdf + QStringLiteral(".pdf")})
                .contains(QStringLiteral("(letter)")));
    // A picture of the first page, for the record.
    const QDir folder(qEnvironmentVariable("ZINTOR_ARTEFACTS", ZINTOR_ARTEFACTS));
    QVERIFY(folder.mkpath("."));
    poppler(QStringLiteral("pdftoppm"), {"-png", "-r", "100", "-singlefile", pdf + ".pdf",
                                         folder.filePath(QStringLiteral("report"))});
    QLocale::setDefault(QLocale::system());
}

void ReportTest::printGoesThroughThePrintDialog() {
    SimPanel panel;
    ModalAnswers answers;
    answers.references << QStringLiteral("Line 2");
    answers.printTo = m_dir.filePath("cancelled.pdf");
    answers.print = false;
    panel.form.menu().ActPrintReport->trigger();
    QCOMPARE(answers.printDialogs, QStringList{QStringLiteral("PrintReport")});
    QVERIFY(panel.wire().endsWith(QStringLiteral("|STP\r|POS\r")));
    QVERIFY(!QFile::exists(answers.printTo));

    answers.printTo = m_dir.filePath("printed.pdf");
    answers.print = true;
    panel.form.menu().ActPrintReport->trigger();
    QCOMPARE(answers.offered, (QStringList{QString(), QStringLiteral("Line 2")}));
    const QString text = pdfText(answers.printTo);
    QVERIFY2(hasRow(text, {QStringLiteral("Machine or unit: Line 2")}), qPrintable(text));
    QVERIFY2(hasRow(text, {QStringLiteral("NR"), panel.c.TxtNR->text()}), qPrintable(text));
    QVERIFY(panel.c.CmdPuls[0]->isEnabled());
    QCOMPARE(answers.messages, QStringList());
}

void ReportTest::unwritablePlaceIsNamed() {
    SimPanel panel;
    ModalAnswers answers;
    const QString notAFolder = m_dir.filePath("plain-file");
    write(notAFolder, "not a folder");
    const QString file = notAFolder + QStringLiteral("/report.pdf");
    answers.files << file;
    panel.form.menu().ActSaveReportPdf->trigger();
    QCOMPARE(answers.messages, QStringList{file + QStringLiteral(" cannot be written: ") +
                                           notAFolder + QStringLiteral(" is not a folder")});
}

QTEST_MAIN(ReportTest)
#include "tst_report.moc"
