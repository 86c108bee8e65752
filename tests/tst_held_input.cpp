#include "DialogRig.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <qpa/qwindowsysteminterface.h>

namespace {

// Calls back when the watched widget is hidden.
class HideWatch : public QObject {
public:
    HideWatch(QWidget* widget, std::function<void()> hidden) : m_hidden(std::move(hidden)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide)
            m_hidden();
        return false;
    }

private:
    std::function<void()> m_hidden;
};

} // namespace

class HeldInputTest : public QObject {
    Q_OBJECT
private slots:
    void keyDuringProbeActsOnceItEnds();
};

// Escape pressed while the dialog probes waits for the probe, then closes the dialog at
// once, not when some later event happens to wake the event loop.
void HeldInputTest::keyDuringProbeActsOnceItEnds() {
    DialogRig rig;
    rig.dialog.Setta(rig.port);
    QVERIFY(QTest::qWaitForWindowExposed(&rig.dialog));
    QVERIFY(rig.dialog.isVisible());

    bool queuedDuringProbe = false;
    QTimer::singleShot(0, &rig.dialog, [&] {
        queuedDuringProbe = rig.dialog.loadRunning();
        QWindow* window = rig.dialog.windowHandle();
        using Async = QWindowSystemInterface::AsynchronousDelivery;
        QWindowSystemInterface::handleKeyEvent<Async>(window, QEvent::KeyPress, Qt::Key_Escape,
                                                      Qt::NoModifier);
        QWindowSystemInterface::handleKeyEvent<Async>(window, QEvent::KeyRelease, Qt::Key_Escape,
                                                      Qt::NoModifier);
    });
    QElapsedTimer sinceProbe;
    connect(&rig.dialog, &SetSeriale::loadFinished, this, [&] { sinceProbe.start(); });
    QEventLoop loop;
    qint64 hiddenAfter = -1;
    HideWatch watch(&rig.dialog, [&] {
        hiddenAfter = sinceProbe.elapsed();
        loop.quit();
    });
    rig.dialog.Setta(rig.port); // open already: a fresh activation and probe

    QVERIFY(queuedDuringProbe);
    QVERIFY(sinceProbe.isValid());
    if (rig.dialog.isVisible()) {
        // Nothing else arrives meanwhile but this deadline.
        QTimer::singleShot(1000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    QVERIFY(!rig.dialog.isVisible());
    QVERIFY2(hiddenAfter >= 0 && hiddenAfter < 100, qPrintable(QString::number(hiddenAfter)));
}

QTEST_MAIN(HeldInputTest)
#include "tst_held_input.moc"
