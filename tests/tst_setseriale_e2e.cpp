#include "EncoderSim.h"
#include "MessageCatcher.h"
#include "panel/Form1.h"
#include "platform/QtSerialPort.h"
#include "settings/SetSeriale.h"

#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <memory>
#include <termios.h>
#include <unistd.h>

namespace {

const QString Title = QStringLiteral(
    "Programmabile on COM   %1          ---------------------------    BetaVersion   V3.2");

// Runs the operator's steps once the dialog is up and its probe has finished.
void whenDialogReady(SetSeriale& dialog, std::function<void()> steps) {
    auto* timer = new QTimer(&dialog);
    QObject::connect(timer, &QTimer::timeout, &dialog, [&dialog, timer, steps] {
        if (!dialog.isVisible() || dialog.loadRunning())
            return;
        timer->deleteLater();
        timer->stop();
        steps();
    });
    timer->start(10);
}

} // namespace

class SetSerialeEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void switchingPortAndBaudReachesTheOtherEncoder();
    void serialLineBringsTheOpenDialogBackWithAFreshProbe();
};

void SetSerialeEndToEndTest::switchingPortAndBaudReachesTheOtherEncoder() {
    QTemporaryDir dir;
    EncoderSim first(dir.filePath("com1"), dir.filePath("log1"));
    EncoderSim second(dir.filePath("com2"), dir.filePath("log2"));
    qputenv("ZINTOR_COM1", first.link().toUtf8());
    qputenv("ZINTOR_COM2", second.link().toUtf8());
    for (int n = 3; n <= 16; ++n)
        qputenv(qPrintable(QStringLiteral("ZINTOR_COM%1").arg(n)),
                dir.filePath("missing").toUtf8());
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "QTX_Zintor", "QTX_Zintor")
        .setValue("startup/PortaMem", "1");
    MessageCatcher messages;

    {
        QtSerialPort port;
        int ended = 0;
        Form1 form(port, [&] { ++ended; });
        form.Form_Load();
        form.show();
        // A second descriptor on the second encoder's terminal shows the line settings the
        // panel's port gives it; it must exist before that port takes the line for itself.
        const int line = ::open(qPrintable(second.link()), O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(line >= 0);
        SetSeriale& dialog = form.dialog();
        QString secondButton;
        bool hiddenByOk = false;
        whenDialogReady(dialog, [&] {
            secondButton = dialog.controls.ComPort[1]->text();
            QTest::mouseClick(dialog.controls.ComPort[1], Qt::LeftButton);
            QTest::mouseClick(dialog.controls.AdvButton, Qt::LeftButton);
            QTest::mouseClick(dialog.controls.Baud192, Qt::LeftButton);
            QTest::mouseClick(dialog.controls.OKButton, Qt::LeftButton);
            hiddenByOk = !dialog.isVisible();
            dialog.hide(); // a failed OK must not leave the panel waiting
        });
        form.controls().Command1->click();
        QCOMPARE(secondButton, QStringLiteral("2"));
        QCOMPARE(messages.texts, QStringList());
        QVERIFY(hiddenByOk);
        QCOMPARE(form.windowTitle(), Title.arg(2));
        QCOMPARE(port.settings(), QStringLiteral("19200,N,8,1"));

        QString command = QStringLiteral("POS");
        form.Tx(command, Tipo::Position);
        QCOMPARE(form.RispostaOk(), quint8(1));
        QVERIFY(second.received().contains("|POS\r"));
        QVERIFY(!first.received().contains("|POS"));
        termios settings{};
        QCOMPARE(::tcgetattr(line, &settings), 0);
        QCOMPARE(::cfgetospeed(&settings), speed_t(B19200));
        ::close(line);

        form.close();
        QCOMPARE(ended, 1);
    }
    // The next start uses the port chosen.
    QtSerialPort port;
    Form1 form(port, [] {});
    form.Form_Load();
    QCOMPARE(port.commPort(), 2);
}

// The operator leaves the dialog open behind the panel, plugs in a second encoder and
// presses "Serial line" again: the dialog returns compact, with the new port found.
void SetSerialeEndToEndTest::serialLineBringsTheOpenDialogBackWithAFreshProbe() {
    QTemporaryDir dir;
    EncoderSim first(dir.filePath("com1"), dir.filePath("log1"));
    std::unique_ptr<EncoderSim> second;
    qputenv("ZINTOR_COM1", first.link().toUtf8());
    qputenv("ZINTOR_COM2", dir.filePath("com2").toUtf8());
    for (int n = 3; n <= 16; ++n)
        qputenv(qPrintable(QStringLiteral("ZINTOR_COM%1").arg(n)),
                dir.filePath("missing").toUtf8());
    QtSerialPort port;
    Form1 form(port, [] {});
    form.Form_Load();
    form.show();
    SetSeriale& dialog = form.dialog();
    QStringList before, after;
    const auto shownPorts = [&] {
        QStringList captions;
        for (QRadioButton* button : dialog.controls.ComPort)
            if (!button->isHidden())
                captions.append(button->text());
        return captions;
    };
    QString layout;
    whenDialogReady(dialog, [&] {
        before = shownPorts();
        QTest::mouseClick(dialog.controls.AdvButton, Qt::LeftButton);
        second = std::make_unique<EncoderSim>(dir.filePath("com2"), dir.filePath("log2"));
        form.activateWindow();
        // Looked at once the press below has run its course, inside its wait.
        QTimer::singleShot(100, &form, [&] {
            after = shownPorts();
            layout = dialog.controls.AdvButton->text();
            dialog.hide();
        });
        form.controls().Command1->click();
    });
    form.controls().Command1->click();
    QCOMPARE(before, QStringList{"1"});
    QCOMPARE(after, (QStringList{"1", "2"}));
    QCOMPARE(layout, QStringLiteral("Advanced"));
    QVERIFY(dialog.isHidden());
}

QTEST_MAIN(SetSerialeEndToEndTest)
#include "tst_setseriale_e2e.moc"
