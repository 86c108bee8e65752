#include "WindowWatch.h"

#include "Verdict.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <iterator>

namespace {

const QString Stacked = QStringLiteral("no stacked windows");
const QString OneProgress = QStringLiteral("one configuration progress");

} // namespace

WindowWatch::WindowWatch(Verdict& verdict) : m_verdict(verdict) {
    m_verdict.watch(Stacked);
    m_verdict.watch(OneProgress);
    qApp->installEventFilter(this);
    connect(&m_timer, &QTimer::timeout, this, &WindowWatch::look);
    m_timer.start(50);
}

WindowWatch::~WindowWatch() {
    qApp->removeEventFilter(this);
}

QString WindowWatch::kind(const QWidget* window) {
    return window->objectName().isEmpty() ? QString::fromLatin1(window->metaObject()->className())
                                          : window->objectName();
}

bool WindowWatch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
        ++m_opened[kind(static_cast<QWidget*>(watched))];
        // Once it is visible, which it is not yet while its Show is handled.
        QTimer::singleShot(0, this, &WindowWatch::look);
    }
    return false;
}

void WindowWatch::look() {
    QMap<QString, int> open;
    int progress = 0;
    for (QWidget* widget : QApplication::allWidgets()) {
        if (widget->objectName() == u"ConfigurationProgress")
            ++progress;
        if (widget->isWindow() && widget->isVisible())
            ++open[kind(widget)];
    }
    for (auto it = open.cbegin(); it != open.cend(); ++it) {
        if (it.value() > 1 && !m_doubled.contains(it.key())) {
            m_doubled.insert(it.key());
            m_verdict.fail(
                Stacked,
                QStringLiteral("%1 windows %2 open at once").arg(it.value()).arg(it.key()));
        }
    }
    for (auto it = m_doubled.begin(); it != m_doubled.end();)
        it = open.value(*it) < 2 ? m_doubled.erase(it) : std::next(it);
    if (progress > 1 && !m_progressDoubled)
        m_verdict.fail(OneProgress, QStringLiteral("%1 alive at once").arg(progress));
    m_progressDoubled = progress > 1;
}
