#include "ScriptedPanel.h"
#include "panel/Form1.h"
#include "panel/HelpWindow.h"
#include "panel/ReportReference.h"
#include "platform/Colors.h"
#include "platform/Design.h"
#include "platform/LinePictures.h"
#include "settings/SetSeriale.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTest>
#include <memory>

namespace {

// What a line edit keeps clear inside its contents rect on either side of the text.
constexpr int LineEditMargin = 2;

// Room a control gives its text, with the margins its style keeps.
QRect textRoom(QWidget* control) {
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    if (auto* check = qobject_cast<QCheckBox*>(control)) {
        QStyleOptionButton option;
        option.initFrom(check);
        option.text = check->text();
        return check->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, check);
    }
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
        QStyleOptionFrame option;
        option.initFrom(box);
        option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
        return box->style()
            ->subElementRect(QStyle::SE_LineEditContents, &option, box)
            .adjusted(LineEditMargin, 0, -LineEditMargin, 0);
    }
    return static_cast<QLabel*>(control)->contentsRect();
}

QString textOf(QWidget* control) {
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* box = qobject_cast<QLineEdit*>(control))
        return box->text();
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    return {}; // the settings dialog, a window of its own
}

// Saves the window's picture for the record, after checking that no other control covers
// a corner of any of its buttons.
void picture(QWidget& window, const QString& name) {
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (button->window() != &window || !button->isVisible())
            continue;
        const QRect inside = button->rect().adjusted(1, 1, -2, -2);
        for (const QPoint corner :
             {inside.topLeft(), inside.topRight(), inside.bottomLeft(), inside.bottomRight()}) {
            const QWidget* top = window.childAt(button->mapTo(&window, corner));
            QVERIFY2(top == button || button->isAncestorOf(top),
                     qPrintable(name + QStringLiteral(": ") + button->objectName()));
        }
    }
    const QDir folder(qEnvironmentVariable("ZINTOR_ARTEFACTS", ZINTOR_ARTEFACTS));
    QVERIFY(folder.mkpath("."));
    QVERIFY2(window.grab().save(folder.filePath(name)), qPrintable(folder.filePath(name)));
}

} // namespace

class Form1LookTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void layout_data();
    void layout();
    void textsFit();
    void paintedColours();
    void historyPaintsAsItsText();
    void echoBoxPaintsAsTheStyleDoes();
    void pictures();

private:
    std::unique_ptr<ScriptedPanel> m_panel; // as the operator first sees it
};

void Form1LookTest::initTestCase() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); // as the program
    m_panel = std::make_unique<ScriptedPanel>(PanelRig::Start::Shown);
}

void Form1LookTest::cleanupTestCase() {
    m_panel.reset();
}

void Form1LookTest::layout_data() {
    QTest::addColumn<int>("left"); // twips
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    const auto row = [](const char* name, int left, int top, int width, int height) {
        QTest::newRow(name) << left << top << width << height;
    };
    row("Command1", 5130, 15, 945, 330);
    row("LblReceived", 6510, 15, 675, 555);
    row("CmdPuls_0", 180, 60, 765, 375);
    row("TxtDEV", 960, 60, 435, 375);
    row("CmdPuls_1", 1440, 60, 765, 375);
    row("TxtSended", 3120, 60, 1395, 345);
    row("LblTx", 4530, 60, 255, 195);
    row("LblRx", 6240, 60, 255, 195);
    row("LblAct", 7200, 60, 2115, 255);
    row("Label1", 2640, 120, 435, 195);
    row("LblBack", 7200, 300, 2115, 3975);
    row("Label2", 3120, 405, 3270, 375);
    row("CmdPuls_2", 840, 720, 885, 375);
    row("ChkCont", 5115, 795, 645, 360);
    row("CmdPuls_18", 2760, 945, 765, 375);
    row("LblPos", 3570, 945, 1500, 390);
    row("CmdPuls_19", 6345, 945, 765, 375);
    row("TxtCont", 5115, 1155, 630, 240);
    row("CmdPuls_3", 120, 1320, 765, 375);
    row("CmdPuls_4", 900, 1320, 765, 375);
    row("CmdPuls_5", 1680, 1320, 765, 375);
    row("Label3", 5220, 1395, 420, 240);
    row("CmdPuls_16", 6345, 1635, 765, 375);
    row("CmdPuls_14", 2775, 1650, 765, 375);
    row("TxtOFST", 3585, 1650, 1515, 375);
    row("LblZPV", 5190, 1650, 1140, 300);
    row("CmdPuls_6", 90, 1860, 765, 375);
    row("CmdPuls_7", 900, 1860, 765, 375);
    row("CmdPuls_8", 1680, 1860, 765, 375);
    row("CmdNS4096", 3600, 2220, 495, 195);
    row("CmdNS8192", 4260, 2220, 495, 195);
    row("CmdNR1", 5880, 2220, 495, 195);
    row("CmdNR4096", 6540, 2220, 495, 195);
    row("CmdPuls_9", 120, 2400, 765, 375);
    row("CmdPuls_10", 900, 2400, 765, 375);
    row("CmdPuls_11", 1680, 2400, 765, 375);
    row("CmdPuls_15", 2760, 2400, 765, 375);
    row("TxtNS", 3600, 2400, 1155, 375);
    row("CmdPuls_17", 5040, 2400, 765, 375);
    row("TxtNR", 5880, 2400, 1155, 375);
    row("LblRes_2", 4755, 2925, 1335, 255);
    row("LblRes_0", 3240, 2940, 1035, 195);
    row("TxtResult_0", 2880, 3180, 1695, 285);
    row("TxtResult_2", 4740, 3180, 1215, 285);
    row("CmdPuls_12", 120, 3360, 765, 375);
    row("TxtPRST1", 960, 3360, 1155, 375);
    row("LblRes_1", 2700, 3585, 1095, 375);
    row("TxtResult_1", 3780, 3660, 795, 285);
    row("TxtResult_3", 4740, 3660, 1095, 285);
    row("LblRes_3", 5880, 3660, 1335, 255);
    row("CmdPuls_13", 120, 3840, 765, 375);
    row("TxtPRST2", 960, 3840, 1155, 375);
    row("TxtResult_5", 3780, 3960, 795, 285);
    row("TxtResult_4", 4740, 3960, 1095, 285);
    row("LblRes_4", 5880, 3960, 1335, 255);
    row("LblRes_5", 2700, 4020, 1095, 195);
    row("client area", 0, 0, 9345, 4320);
}

void Form1LookTest::layout() {
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, width);
    QFETCH(int, height);
    Form1& form = m_panel->form;
    QWidget* area = form.designedArea();
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    QWidget* control = name == u"client area" ? area : form.findChild<QWidget*>(name);
    QVERIFY2(control, qPrintable(name));
    // The designed area is everything below the menu bar.
    const int bar = form.menu().bar->height();
    QCOMPARE(area->geometry(), QRect(0, bar, form.width(), form.height() - bar));
    QCOMPARE(form.menu().bar->geometry(), QRect(0, 0, form.width(), bar));
    QCOMPARE(control == area ? area->rect() : control->geometry(),
             QRect(Design::pixels(left), Design::pixels(top), Design::pixels(width),
                   Design::pixels(height)));
}

// Every design text shows whole within the room its control leaves it; a wrapping
// label's lines stay within its height.
void Form1LookTest::textsFit() {
    Form1& form = m_panel->form;
    int checked = 0;
    QStringList misfits;
    for (QWidget* control :
         form.designedArea()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QString text = textOf(control);
        if (text.isEmpty())
            continue;
        ++checked;
        const QRect room = textRoom(control);
        const QFontMetrics metrics = control->fontMetrics();
        const auto* label = qobject_cast<QLabel*>(control);
        QSize needed = label && label->wordWrap()
                           ? metrics.boundingRect(room, Qt::TextWordWrap, text).size()
                           : QSize(metrics.horizontalAdvance(text), metrics.height());
        // The font's descent stays blank under a last line without descenders: only the
        // ink has to fit.
        needed.rheight() -=
            metrics.descent() - qMax(0, metrics.tightBoundingRect(text).bottom() + 1);
        if (needed.width() > room.width() || needed.height() > room.height())
            misfits.append(QStringLiteral("%1 \"%2\": needs %3x%4 px, has %5x%6")
                               .arg(control->objectName(), text)
                               .arg(needed.width())
                               .arg(needed.height())
                               .arg(room.width())
                               .arg(room.height()));
    }
    QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(u"; ")));
    // 20 commands, 4 quick-set buttons, "Serial line", "Cont", the 6 result captions,
    // "Echo", "Received", "Tx", "Rx", "delay" and the two boxes' "0" and "2".
    QCOMPARE(checked, 20 + 4 + 1 + 1 + 6 + 5 + 2);
}

// What each control paints behind its text is the colour it reports, in both windows.
void Form1LookTest::paintedColours() {
    Form1& form = m_panel->form;
    // The dialog may be one of the panel's children; each widget counts once.
    QList<QWidget*> list = form.findChildren<QWidget*>();
    list << &form.dialog() << form.dialog().findChildren<QWidget*>();
    const QSet<QWidget*> widgets(list.begin(), list.end());
    int coloured = 0;
    for (const QWidget* widget : std::as_const(widgets)) {
        if (!widget->property("BackColor").isValid())
            continue;
        ++coloured;
        QVERIFY2(widget->palette().color(widget->backgroundRole()) ==
                     Colors::toQColor(Colors::backColor(widget)),
                 qPrintable(widget->objectName()));
    }
    // The panel's lamps, echo, exchange, commands and results; the dialog, its options,
    // frames and port buttons.
    QCOMPARE(coloured, 2 + 1 + 1 + 20 + 6 + 1 + 21 + 7 + 6);
}

// The history is painted from pictures of its lines: it must show every new text, and
// exactly what the label itself would paint.
void Form1LookTest::historyPaintsAsItsText() {
    ScriptedPanel panel(PanelRig::Start::Shown);
    QLabel* history = panel.c.LblBack;
    const auto look = [&] {
        return panel.form.designedArea()->grab(history->geometry().adjusted(0, -2, 0, 0));
    };
    history->setText(QStringLiteral("|POS   ......   >\n|ZERO   ......   >"));
    const QImage first = look().toImage();
    panel.c.LblAct->setText(QStringLiteral("|NR=16   ......   !?")); // repaints the row shared
    history->setText(QStringLiteral("|NR=16   ......   !?\n") + history->text());
    const QImage second = look().toImage();
    QVERIFY(first != second);
    delete history->findChild<LinePictures*>(); // the label paints itself again
    QCOMPARE(look().toImage(), second);
}

// The echo box's frame comes from a kept picture: it must look as the style draws it.
void Form1LookTest::echoBoxPaintsAsTheStyleDoes() {
    ScriptedPanel panel(PanelRig::Start::Shown);
    QLineEdit* echo = panel.c.TxtSended;
    echo->setText(QStringLiteral("|POS"));
    const QImage kept = echo->grab().toImage();
    echo->setStyle(QApplication::style());
    QCOMPARE(echo->grab().toImage(), kept);
}

void Form1LookTest::pictures() {
    Form1& form = m_panel->form;
    picture(form, QStringLiteral("form1.png"));
    SetSeriale& dialog = form.dialog();
    dialog.Setta(form.MSComm1());
    QTRY_VERIFY(!dialog.loadRunning());
    QCOMPARE(dialog.VistaAvanzata, quint8(0));
    picture(dialog, QStringLiteral("setseriale-compact.png"));
    dialog.AdvButton_Click();
    picture(dialog, QStringLiteral("setseriale-full.png"));
    dialog.hide();
    ReportReference reference(QStringLiteral("Save report as PDF"), QStringLiteral("Press 4"),
                              &form);
    reference.show();
    picture(reference, QStringLiteral("report-reference.png"));
    HelpWindow* help = HelpWindow::open(&form);
    picture(*help, QStringLiteral("help.png"));
    help->close();
}

QTEST_MAIN(Form1LookTest)
#include "tst_form1_look.moc"
