#include "WhenShown.h"

#include <QApplication>
#include <QWidget>

WhenShown::WhenShown() {
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (m_steps.isEmpty())
            return;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == m_steps.first().first && top->isVisible())
                return m_steps.takeFirst().second(top);
    });
    m_timer.start(20);
}

void WhenShown::add(const QString& window, std::function<void(QWidget*)> step) {
    m_steps.append({window, std::move(step)});
}
