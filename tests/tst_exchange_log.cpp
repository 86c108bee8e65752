#include "ModalAnswers.h"
#include "SimPanel.h"
#include "service/ExchangeLog.h"

#include <QAction>
#include <QDateTime>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The saved log's exchange lines, split into their columns.
QList<QStringList> savedLines(SimPanel& panel, ModalAnswers& answers, const QString& file) {
    answers.files << file;
    panel.form.menu().ActSaveLog->trigger();
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(in.readAll()).split(u'\n', Qt::SkipEmptyParts);
    if (lines.isEmpty() || lines.takeFirst() != ExchangeLog::header())
        return {};
    QList<QStringList> out;
    for (const QString& line : lines)
        out << line.split(u'\t');
    return out;
}

} // namespace

class ExchangeLogTest : public QObject {
    Q_OBJECT
private slots:
    void pressPollAndFailureAreLogged();
    void keepsTheLatestTenThousand();
    void unwritableFileKeepsTheLog();

private:
    QTemporaryDir m_dir;
};

void ExchangeLogTest::pressPollAndFailureAreLogged() {
    SimPanel panel;
    ModalAnswers answers;
    panel.c.TxtNR->setText(QStringLiteral("16"));
    panel.press("NR");
    QTimer::singleShot(500, &panel.form, [&] { panel.c.ChkCont->setChecked(false); });
    QTest::mouseClick(panel.c.ChkCont, Qt::LeftButton); // polls until unticked
    panel.line.stop();
    panel.press("POS");
    QCOMPARE(answers.messages.size(), 1); // the port's failure

    const QList<QStringList> lines = savedLines(panel, answers, m_dir.filePath("run.tsv"));
    QVERIFY(lines.size() >= 3);
    const QString device = panel.path(QStringLiteral("com1"));
    for (const QStringList& f : lines) {
        QCOMPARE(f.size(), 10);
        QVERIFY2(QDateTime::fromString(f[0], Qt::ISODateWithMs).isValid(), qPrintable(f[0]));
        QCOMPARE(f.mid(1, 4), (QStringList{"COM1", device, "9600,n,8,1", "xon"}));
    }
    const QStringList press = lines.first();
    QCOMPARE(press.mid(5, 4), (QStringList{"|NR=16", "|NR=16", "\\r\\n>", ">"}));
    QVERIFY2(press[9].toInt() >= 400, qPrintable(press[9]));
    const QList<QStringList> polls = lines.mid(1, lines.size() - 2);
    QVERIFY(!polls.isEmpty());
    for (const QStringList& f : polls) {
        QCOMPARE(f[5], QStringLiteral("|POS"));
        QVERIFY2(f[7].startsWith(u"\\r") && f[7].endsWith(u"\\n>"), qPrintable(f[7]));
        QCOMPARE(f[8], QStringLiteral(">"));
    }
    const QStringList failed = lines.last();
    QVERIFY2(failed[8].startsWith(QStringLiteral("failed: COM1 (") + device + u')'),
             qPrintable(failed[8]));
}

void ExchangeLogTest::keepsTheLatestTenThousand() {
    ExchangeLog log;
    for (int n = 1; n <= ExchangeLog::Kept + 3; ++n) {
        LoggedExchange e;
        e.com = 1;
        e.exchange.sent = QStringLiteral("|NR=%1").arg(n);
        log.add(e);
    }
    QCOMPARE(log.size(), ExchangeLog::Kept);
    QCOMPARE(log.dropped(), 3);
    const QStringList lines = log.text().split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2 + ExchangeLog::Kept);
    QCOMPARE(lines[0], QStringLiteral("# 3 older exchanges were dropped: the log keeps the latest "
                                      "10000"));
    QCOMPARE(lines[1], ExchangeLog::header());
    QCOMPARE(lines[2].section(u'\t', 5, 5), QStringLiteral("|NR=4"));
    QCOMPARE(lines.last().section(u'\t', 5, 5), QStringLiteral("|NR=10003"));
}

void ExchangeLogTest::unwritableFileKeepsTheLog() {
    SimPanel panel;
    ModalAnswers answers;
    panel.press("POS");
    QFile blocker(m_dir.filePath("not-a-folder"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString bad = blocker.fileName() + QStringLiteral("/run.tsv");
    QVERIFY(savedLines(panel, answers, bad).isEmpty());
    QCOMPARE(answers.messages.size(), 1);
    QVERIFY2(answers.messages[0].contains(bad + QStringLiteral(" cannot be written")),
             qPrintable(answers.messages[0]));
    QCOMPARE(panel.form.exchangeLog().size(), 1);
    QCOMPARE(savedLines(panel, answers, m_dir.filePath("elsewhere.tsv")).size(), 1);
}

QTEST_MAIN(ExchangeLogTest)
#include "tst_exchange_log.moc"
