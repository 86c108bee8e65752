// The panel of the Windows build against simulated encoders on Linux pseudo-terminals,
// which Wine shows as COM ports; run by with-encoders.sh, which starts them on COM3 and
// COM4 and points the panel's COM1 at COM3 (ZINTOR_COM1=COM3).
#include "MessageCatcher.h"
#include "PanelRig.h"
#include "platform/Colors.h"
#include "platform/PortMap.h"
#include "platform/QtSerialPort.h"
#include "settings/SetSeriale.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>

namespace {

// The real port object ahead of the panel, so it outlives the form.
struct PortFirst {
    QtSerialPort port;
};

struct WinePanel : PortFirst, PanelRig {
    WinePanel() : PanelRig(port, nullptr, Start::Shown) {}
};

} // namespace

class WindowsPanelTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "QTX_Zintor", "QTX_Zintor")
            .setValue("startup/PortaMem", "1");
    }

    void positionComesBackThroughTheComPort() {
        WinePanel panel;
        MessageCatcher messages;
        panel.send("POS", Tipo::Position);
        QCOMPARE(messages.texts, QStringList());
        QCOMPARE(panel.c.TxtSended->text(), QStringLiteral("|POS"));
        QCOMPARE(panel.c.LblReceived->text(), QStringLiteral(">"));
        bool number = false;
        panel.c.LblPos->text().toInt(&number);
        QVERIFY2(number, qPrintable(panel.c.LblPos->text()));
        QCOMPARE(int(panel.form.RispostaOk()), 1);
    }

    void listingBringsTheEncoderStateIntoThePanel() {
        WinePanel panel;
        panel.c.command("BIN")->click();
        panel.c.TxtNR->setText("8");
        panel.c.command("NR")->click();
        panel.c.TxtNR->setText("1");
        panel.c.command("STP")->click();
        QCOMPARE(panel.marks({"GRAY", "BIN"}),
                 (QList<quint32>{Colors::ButtonFace, Colors::LightGreen}));
        QCOMPARE(panel.c.TxtNR->text(), QStringLiteral("8"));
    }

    void probeShowsTheMappedPorts() {
        WinePanel panel;
        SetSeriale& dialog = panel.form.dialog();
        QStringList shown;
        QString tip;
        auto* timer = new QTimer(&dialog);
        connect(timer, &QTimer::timeout, &dialog, [&] {
            if (!dialog.isVisible() || dialog.loadRunning())
                return;
            timer->stop();
            for (QRadioButton* button : dialog.controls.ComPort)
                if (!button->isHidden())
                    shown << button->text();
            tip = dialog.controls.ComPort[0]->toolTip();
            dialog.hide();
        });
        timer->start(10);
        panel.form.controls().Command1->click();
        // COM1 leads to COM3's encoder; COM3 is the panel's own, COM4 the second encoder.
        QCOMPARE(shown, (QStringList{"1", "3", "4"}));
        QVERIFY2(tip.startsWith(PortMap::devicePath(1)), qPrintable(tip));
    }
};

QTEST_MAIN(WindowsPanelTest)
#include "tst_win_panel.moc"
