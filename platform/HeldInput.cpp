#include "platform/HeldInput.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

HeldInput::~HeldInput() {
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->wakeUp();
}

void HeldInput::processOthers() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
