#pragma once

#include <QFont>
#include <QLabel>
#include <QObject>
#include <QPalette>
#include <QPixmap>
#include <QString>

// Paints a label from a picture of itself, drawn anew only when its text, size, font or
// colours change. For a tall label beside controls that change several times a second:
// each repaint they cause would otherwise lay out its whole text again.
class PaintCache : public QObject {
    Q_OBJECT
public:
    explicit PaintCache(QLabel* label);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool stale() const;
    void redraw();

    QLabel* m_label;
    // Draws the picture: a widget may not paint itself again from inside its own paint.
    QLabel m_twin;
    QPixmap m_picture;
};
