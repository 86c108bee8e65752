#include "ScriptedPanel.h"
#include "panel/HelpWindow.h"

#include <QTest>
#include <QTextBrowser>

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void f1ShowsTheManual();
};

void HelpTest::f1ShowsTheManual() {
    ScriptedPanel panel(PanelRig::Start::Shown);
    QVERIFY(QTest::qWaitForWindowActive(&panel.form));
    QTest::keyClick(&panel.form, Qt::Key_F1);
    auto* window = panel.form.findChild<HelpWindow*>(QStringLiteral("HelpWindow"));
    QVERIFY(window);
    QVERIFY(window->isVisible());
    auto* browser = window->findChild<QTextBrowser*>(QStringLiteral("HelpText"));
    const QString text = browser->toPlainText();
    for (const char* topic : {"Using the panel", "COM numbers and devices", "Configurations",
                              "The configuration report", "Finding an encoder",
                              "the simulated encoder", "Exit statuses of zintor-cli"})
        QVERIFY2(text.contains(QString::fromLatin1(topic)), topic);
    QVERIFY2(!text.contains(QStringLiteral("## ")), "the markdown is shown as text");
    // Its pictures come with the program.
    QVERIFY(!browser->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("panel.png")))
                 .isNull());

    window->close();
    panel.form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&panel.form));
    QTest::keyClick(&panel.form, Qt::Key_F1);
    QVERIFY(window->isVisible());
    QCOMPARE(panel.form.findChildren<HelpWindow*>().size(), 1);
}

QTEST_MAIN(HelpTest)
#include "tst_help.moc"
