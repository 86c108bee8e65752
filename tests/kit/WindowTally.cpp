#include "WindowTally.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

WindowTally::WindowTally() {
    m_clock.start();
    qApp->installEventFilter(this);
}

WindowTally::~WindowTally() {
    qApp->removeEventFilter(this);
}

bool WindowTally::eventFilter(QObject* watched, QEvent* event) {
    auto* window = qobject_cast<QWidget*>(watched);
    if (event->type() != QEvent::Show || !window || !window->isWindow() ||
        window->objectName().isEmpty())
        return false;
    const QString name = window->objectName();
    ++m_shown[name];
    if (!m_first.contains(name))
        m_first.insert(name, m_clock.elapsed());
    int open = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
        open += top->objectName() == name && top->isVisible() ? 1 : 0;
    m_most[name] = std::max(m_most.value(name), open);
    return false;
}
