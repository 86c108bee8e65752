#include "platform/Colors.h"
#include "platform/Design.h"
#include "platform/LinePictures.h"

#include <QLabel>
#include <QTest>

// A label painted from pictures of its lines must show exactly what it would paint itself,
// whatever its text, and follow every change of text, colour and face.
class LinePicturesTest : public QObject {
    Q_OBJECT
private slots:
    void samePixels_data();
    void samePixels();
    void followsChanges();
    void partRepaintsMatch();
};

namespace {

// A label on a coloured window, as on the panel.
struct Stage {
    QWidget window;
    QLabel* label = new QLabel(&window);

    Stage(const QFont& font, const QRect& place) {
        Colors::setBackColor(&window, Colors::LightGrey);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setFont(font);
        label->setGeometry(place);
        window.resize(place.right() + 20, place.bottom() + 20);
        window.show();
    }
    QImage look() { return window.grab().toImage(); }
    // The label's own painting, for comparison.
    QImage lookUnaided() {
        auto* pictures = label->findChild<LinePictures*>();
        pictures->setParent(nullptr);
        const QImage image = look();
        pictures->setParent(label);
        return image;
    }
};

// Sees the paint events that reach the label itself: those its pictures did not take.
struct OwnPaints : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

QString history(int first, int count) {
    QString text;
    for (int i = first; i < first + count; ++i)
        text += QStringLiteral("|POS   ......   %1\n").arg(460 + i);
    return text.left(640);
}

} // namespace

void LinePicturesTest::samePixels_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("pictures"); // or the label paints itself

    QTest::newRow("history, last line cut by the bottom") << history(0, 40) << false << 8 << true;
    QTest::newRow("first history: two empty lines") << QStringLiteral("\n") << false << 8 << true;
    QTest::newRow("empty lines between") << QStringLiteral("a\n\n\nb\n") << false << 8 << true;
    QTest::newRow("wider than the label") << QString(60, u'W') << false << 8 << true;
    QTest::newRow("descenders above accents")
        << QStringLiteral("gjpqy|_\nÄÉÑÿÅ\n§¶µ«»") << false << 8 << true;
    QTest::newRow("carriage return and tab")
        << QStringLiteral("\r463\t>\n|POS") << false << 8 << true;
    QTest::newRow("ampersand") << QStringLiteral("&ZERO && ok") << false << 8 << true;
    QTest::newRow("big bold answer") << QStringLiteral("!?") << true << 24 << true;
    QTest::newRow("other scripts: the label paints")
        << QStringLiteral("位置 Ωμ\nPOS") << false << 8 << false;
    QTest::newRow("control bytes: the label paints")
        << QStringLiteral("\x01\x11>") << false << 8 << false;
    QTest::newRow("rich text: the label paints")
        << QStringLiteral("<b>463</b>") << false << 8 << false;
}

void LinePicturesTest::samePixels() {
    QFETCH(QString, text);
    QFETCH(bool, bold);
    QFETCH(int, points);
    QFETCH(bool, pictures);
    Stage stage(Design::font(QStringLiteral("Perpetua"), points, bold), {10, 10, 141, 265});
    OwnPaints own;
    stage.label->installEventFilter(&own);
    new LinePictures(stage.label);
    stage.label->setText(text);
    const QImage kept = stage.look();
    QCOMPARE(own.count == 0, pictures);
    QCOMPARE(kept, stage.lookUnaided());
    if (!text.trimmed().isEmpty()) // something shows
        QVERIFY(kept != Stage(stage.label->font(), {10, 10, 141, 265}).look());
}

void LinePicturesTest::followsChanges() {
    Stage stage(Design::font(QStringLiteral("Perpetua"), 8.25), {10, 10, 141, 265});
    new LinePictures(stage.label);
    QImage before = stage.look();
    const auto changed = [&](const char* what) {
        const QImage now = stage.look();
        QVERIFY2(now != before, what);
        QVERIFY2(now == stage.lookUnaided(), what);
        before = now;
    };
    // More distinct lines than are kept, so pictures are dropped and made again.
    for (int i = 0; i < 150; i += 30) {
        stage.label->setText(history(i, 40));
        changed("text");
    }
    Colors::setForeColor(stage.label, 255);
    changed("ink");
    stage.label->setFont(Design::font(QStringLiteral("Perpetua"), 8.25, true));
    changed("face");
    stage.label->resize(60, 100);
    changed("size");
    stage.label->setEnabled(false);
    QCOMPARE(stage.look(), stage.lookUnaided());
}

// A neighbour over the label's top row repaints only that row of it.
void LinePicturesTest::partRepaintsMatch() {
    Stage stage(Design::font(QStringLiteral("Perpetua"), 8.25), {10, 25, 141, 265});
    new LinePictures(stage.label);
    stage.label->setText(history(0, 40));
    auto* above = new QLabel(&stage.window);
    above->setGeometry(10, 10, 141, 17);
    Colors::setBackColor(above, 12640511);
    above->show();
    for (const char* text : {"|POS   ", "|POS   ......   >"}) {
        above->setText(QString::fromLatin1(text));
        QCOMPARE(stage.look(), stage.lookUnaided());
    }
}

QTEST_MAIN(LinePicturesTest)
#include "tst_line_pictures.moc"
