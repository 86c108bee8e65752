#include "DialogRig.h"
#include "link/Numbers.h"
#include "platform/Colors.h"
#include "platform/Design.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <stdexcept>

namespace {

constexpr quint32 DarkGrey = 0x404040;
constexpr quint32 Brown = 16512;

QList<int> range(int first, int last) {
    QList<int> numbers;
    for (int n = first; n <= last; ++n)
        numbers.append(n);
    return numbers;
}

QStringList texts(const QList<int>& numbers) {
    QStringList out;
    for (int n : numbers)
        out.append(QString::number(n));
    return out;
}

// A device name each system takes as it stands.
QString devicePath(const QString& number) {
    return QDir::separator() == u'\\' ? QStringLiteral("\\\\.\\TESTCOM") + number
                                      : QStringLiteral("/dev/test-com") + number;
}

} // namespace

class SetSerialeLookTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void portButtons_data();
    void portButtons();
    void layouts();
    void returningToTheDialogReloadsIt();
    void ownMessageKeepsTheLayout();
    void marks_data();
    void marks();
    void sfondi_data();
    void sfondi();
    void notANumberColour();
    void tabOrder();
    void captionsFit();
};

void SetSerialeLookTest::initTestCase() {
    for (int n = 1; n <= 16; ++n)
        qputenv(qPrintable(QStringLiteral("ZINTOR_COM%1").arg(n)),
                devicePath(QString::number(n)).toUtf8());
}

void SetSerialeLookTest::portButtons_data() {
    QTest::addColumn<QList<int>>("earlier"); // found by the start-up load
    QTest::addColumn<QList<int>>("present");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<int>("left");
    QTest::addColumn<bool>("combo");
    QTest::addColumn<QStringList>("list");

    const QList<int> none;
    QTest::newRow("none") << none << none << QStringList(6) << 405 << false << QStringList();
    QTest::newRow("one") << none << QList<int>{3} << QStringList{"3", "", "", "", "", ""} << 405
                         << false << QStringList{"3"};
    QTest::newRow("three") << none << QList<int>{1, 2, 5} << QStringList{"1", "2", "5", "", "", ""}
                           << 405 << false << QStringList{"1", "2", "5"};
    QTest::newRow("four: combo stays hidden")
        << none << range(1, 4) << QStringList{"1", "2", "3", "4", "", ""} << 45 << false
        << texts(range(1, 4));
    QTest::newRow("six after seven: combo stays shown")
        << range(1, 7) << QList<int>{2, 4, 6, 8, 10, 12}
        << QStringList{"2", "4", "6", "8", "10", "12"} << 45 << true
        << QStringList{"2", "4", "6", "8", "10", "12", "7"};
    QTest::newRow("seven") << none << range(1, 7) << texts(range(1, 6)) << 45 << true
                           << texts(range(1, 7));
    QTest::newRow("sixteen") << none << range(1, 16) << texts(range(1, 6)) << 45 << true
                             << texts(range(1, 16));
    QTest::newRow("three after seven: combo hidden, list kept")
        << range(1, 7) << QList<int>{9, 10, 11} << QStringList{"9", "10", "11", "", "", ""} << 405
        << false << QStringList{"9", "10", "11", "4", "5", "6", "7"};
}

void SetSerialeLookTest::portButtons() {
    QFETCH(QList<int>, earlier);
    QFETCH(QList<int>, present);
    QFETCH(QStringList, captions);
    QFETCH(int, left);
    DialogRig rig(earlier);
    rig.port.present = QSet<int>(present.begin(), present.end());
    rig.dialog.Setta(rig.port);

    for (int i = 0; i < 6; ++i) {
        QRadioButton* button = rig.c.ComPort[std::size_t(i)];
        QCOMPARE(button->text(), captions[i]);
        QCOMPARE(button->isHidden(), captions[i].isEmpty());
        // The device first; Windows adds what the system knows of the adapter.
        QCOMPARE(button->toolTip().section(u'\n', 0, 0),
                 captions[i].isEmpty() ? QString() : devicePath(captions[i]));
        QCOMPARE(button->x(), Design::pixels(i < 3 ? left : 765));
    }
    QTEST(!rig.c.Combo1->isHidden(), "combo");
    QStringList list;
    for (int j = 0; j < rig.c.Combo1->count(); ++j) {
        list.append(rig.c.Combo1->itemText(j));
        QCOMPARE(rig.c.Combo1->itemData(j, Qt::ToolTipRole).toString().section(u'\n', 0, 0),
                 devicePath(list.last()));
    }
    QTEST(list, "list");
    // The port in use (COM1) is chosen where it was found; otherwise its number stays typed.
    QCOMPARE(rig.c.Combo1->currentText(), QStringLiteral("1"));
    QCOMPARE(rig.c.ComPort[0]->isChecked(), captions[0] == u"1");
}

void SetSerialeLookTest::layouts() {
    DialogRig rig;
    const auto check = [&](bool full) {
        QCOMPARE(rig.dialog.VistaAvanzata, quint8(full ? 1 : 0));
        QCOMPARE(rig.c.AdvButton->text(),
                 full ? QStringLiteral("Normal") : QStringLiteral("Advanced"));
        for (QGroupBox* frame : rig.c.frames)
            QCOMPARE(frame->isHidden(), !full && frame != rig.c.Frame6);
        QCOMPARE(rig.c.Frame6->y(), Design::pixels(full ? 2010 : 135));
        QCOMPARE(rig.dialog.frameGeometry().height(), Design::pixels(full ? 4290 : 2295));
        QCOMPARE(rig.dialog.width(), Design::pixels(4995));
    };
    rig.dialog.Setta(rig.port);
    check(false);
    rig.c.AdvButton->click();
    check(true);
    rig.c.AdvButton->click();
    check(false);
    rig.c.AdvButton->click();
    rig.c.CancelButton->click();
    rig.dialog.Setta(rig.port);
    check(false);
}

void SetSerialeLookTest::returningToTheDialogReloadsIt() {
    DialogRig rig;
    QWidget elsewhere;
    elsewhere.show();
    rig.dialog.Setta(rig.port);
    rig.c.AdvButton->click();
    rig.port.log.clear();

    QApplication::setActiveWindow(&elsewhere);
    QApplication::setActiveWindow(&rig.dialog);
    QCOMPARE(rig.dialog.VistaAvanzata, quint8(0));
    QCOMPARE(rig.port.log.count("port 16"), 1);
}

// The warning of a failed OK takes the activation for a moment; that is no return.
void SetSerialeLookTest::ownMessageKeepsTheLayout() {
    DialogRig rig;
    rig.dialog.Setta(rig.port);
    QApplication::setActiveWindow(&rig.dialog);
    rig.c.AdvButton->click();
    rig.port.settingsFailure = QStringLiteral("settings refused");
    rig.port.log.clear();
    rig.c.OKButton->click();
    QApplication::setActiveWindow(&rig.dialog);
    QCOMPARE(rig.messages.texts, QStringList{"settings refused"});
    QCOMPARE(rig.dialog.VistaAvanzata, quint8(1));
    QCOMPARE(rig.port.log.count("port 16"), 0);
}

void SetSerialeLookTest::marks_data() {
    QTest::addColumn<int>("baud1");
    QTest::addColumn<int>("baud2");
    QTest::addColumn<QString>("settings");
    QTest::addColumn<int>("flow");
    QTest::addColumn<QStringList>("marked");

    QTest::newRow("start-up") << 9600 << 0 << "9600,n,8,1" << 1
                              << QStringList{"Baud96", "NoParity", "Data8",
                                             "Stop1",  "XonFlow",  "EchoOff"};
    QTest::newRow("two rates; the port's rate is not marked")
        << 300 << 115200 << "19200,e,7,2" << 3
        << QStringList{"Baud3", "Baud1152", "EvenParity", "Data7", "Stop2", "BothFlow", "EchoOff"};
    QTest::newRow("values without option")
        << 38400 << 57600 << "9600,m,5,1.5" << 0 << QStringList{"Stop1", "NoFlow", "EchoOff"};
    QTest::newRow("no rates") << 0 << 0 << "9600,o,8,2" << 2
                              << QStringList{"OddParity", "Data8", "Stop2", "RTSFlow", "EchoOff"};
}

void SetSerialeLookTest::marks() {
    QFETCH(int, baud1);
    QFETCH(int, baud2);
    QFETCH(QString, settings);
    QFETCH(int, flow);
    QFETCH(QStringList, marked);
    DialogRig rig; // marked 9600 at its start-up: a second Default starts afresh
    rig.port.setSettings(settings);
    rig.port.setHandshaking(flow);
    rig.dialog.Default(rig.port, baud1, baud2);
    const auto check = [&] {
        for (QRadioButton* option : std::as_const(rig.c.lineOptions))
            QCOMPARE(Colors::foreColor(option),
                     marked.contains(option->objectName()) ? Brown : DarkGrey);
    };
    check();
    // Marks show the defaults, not the present choice.
    rig.port.setSettings("1200,o,7,1");
    rig.port.setHandshaking(0);
    rig.dialog.Setta(rig.port);
    rig.c.EchoOn->click();
    check();
}

void SetSerialeLookTest::sfondi_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint32>("colour");
    QTest::newRow("light grey") << "12632256" << quint32(12632256);
    QTest::newRow("system button face") << " -2147483633 " << quint32(0x8000000F);
}

void SetSerialeLookTest::sfondi() {
    QFETCH(QString, text);
    QFETCH(quint32, colour);
    DialogRig rig;
    rig.dialog.Sfondi(text);
    QCOMPARE(Colors::backColor(&rig.dialog), colour);
    QList<QWidget*> painted(rig.c.lineOptions.begin(), rig.c.lineOptions.end());
    painted << QList<QWidget*>(rig.c.frames.begin(), rig.c.frames.end())
            << QList<QWidget*>(rig.c.ComPort.begin(), rig.c.ComPort.end());
    QCOMPARE(painted.size(), 21 + 7 + 6);
    for (QWidget* widget : painted)
        QCOMPARE(Colors::backColor(widget), colour);
    for (QWidget* own :
         QList<QWidget*>{rig.c.OKButton, rig.c.CancelButton, rig.c.AdvButton, rig.c.Combo1})
        QVERIFY(!own->property("BackColor").isValid());
}

void SetSerialeLookTest::notANumberColour() {
    DialogRig rig;
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, rig.dialog.Sfondi("grey"));
    QVERIFY_THROWS_EXCEPTION(OverflowError, rig.dialog.Sfondi("4294967295"));
}

void SetSerialeLookTest::tabOrder() {
    DialogRig rig;
    QStringList chain;
    QWidget* widget = rig.c.OKButton;
    do {
        if (widget->focusPolicy() & Qt::TabFocus && !widget->objectName().isEmpty())
            chain.append(widget->objectName());
        widget = widget->nextInFocusChain();
    } while (widget != rig.c.OKButton);
    const QStringList expected{
        "OKButton",  "CancelButton", "Baud3",      "Baud6",     "Baud12",  "Baud24",   "Baud48",
        "Baud96",    "Data7",        "Data8",      "Stop1",     "Stop2",   "EchoOn",   "EchoOff",
        "NoParity",  "OddParity",    "EvenParity", "XonFlow",   "RTSFlow", "NoFlow",   "BothFlow",
        "ComPort_5", "ComPort_1",    "ComPort_4",  "ComPort_2", "Baud192", "Baud1152", "ComPort_3",
        "ComPort_6", "Combo1",       "AdvButton"};
    QCOMPARE(chain.mid(0, expected.size()), expected);
}

// Two-digit port numbers are the widest captions the port buttons get.
void SetSerialeLookTest::captionsFit() {
    DialogRig rig(range(10, 16));
    rig.dialog.Setta(rig.port);
    rig.c.AdvButton->click();
    for (QRadioButton* option : rig.dialog.findChildren<QRadioButton*>()) {
        QStyleOptionButton style;
        style.initFrom(option);
        style.text = option->text();
        const QRect room =
            option->style()->subElementRect(QStyle::SE_RadioButtonContents, &style, option);
        const QFontMetrics metrics = option->fontMetrics();
        QVERIFY2(metrics.horizontalAdvance(option->text()) <= room.width(),
                 qPrintable(option->objectName()));
        QVERIFY2(metrics.height() <= option->height(), qPrintable(option->objectName()));
    }
    for (QPushButton* button : rig.dialog.findChildren<QPushButton*>())
        QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) < button->width() - 8,
                 qPrintable(button->objectName()));
    for (QGroupBox* frame : rig.c.frames)
        QVERIFY2(frame->fontMetrics().horizontalAdvance(frame->title().remove(u'&')) <
                     frame->width() - 16,
                 qPrintable(frame->objectName()));
    QVERIFY(rig.c.Combo1->fontMetrics().horizontalAdvance("16") <
            rig.c.Combo1->lineEdit()->width());
}

QTEST_MAIN(SetSerialeLookTest)
#include "tst_setseriale_look.moc"
