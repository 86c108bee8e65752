#include "MessageCatcher.h"

#include <QApplication>

MessageCatcher::MessageCatcher() {
    connect(&m_timer, &QTimer::timeout, this, &MessageCatcher::look);
    m_timer.start(5);
}

void MessageCatcher::look() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box || !box->isVisible())
            continue;
        texts.append(box->text());
        icons.append(box->icon());
        titles.append(box->windowTitle());
        box->accept();
    }
}
