#include "platform/MouseUpCheckBox.h"

void MouseUpCheckBox::mouseReleaseEvent(QMouseEvent* event) {
    QCheckBox::mouseReleaseEvent(event);
    emit mouseUp();
}
