#pragma once

#include <QCheckBox>

// A check box that reports a mouse release after the box has taken its new state.
class MouseUpCheckBox : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;

signals:
    void mouseUp();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
