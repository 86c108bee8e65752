#include "platform/ConsoleText.h"

QByteArray ConsoleText::bytes(const QString& text) {
    return text.toLocal8Bit();
}
