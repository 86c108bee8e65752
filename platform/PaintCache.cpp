#include "platform/PaintCache.h"

#include <QEvent>
#include <QPainter>

PaintCache::PaintCache(QLabel* label) : QObject(label), m_label(label) {
    label->installEventFilter(this);
}

bool PaintCache::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_label || event->type() != QEvent::Paint)
        return QObject::eventFilter(watched, event);
    if (stale())
        redraw();
    QPainter painter(m_label);
    painter.drawPixmap(0, 0, m_picture);
    return true;
}

bool PaintCache::stale() const {
    const qreal ratio = m_label->devicePixelRatioF();
    return m_picture.isNull() || m_picture.size() != m_label->size() * ratio ||
           m_picture.devicePixelRatio() != ratio || m_twin.text() != m_label->text() ||
           m_twin.font() != m_label->font() || m_twin.palette() != m_label->palette();
}

// The twin paints what the label would, without a background, so what lies beneath the
// label still shows through where it has no ink.
void PaintCache::redraw() {
    m_twin.setTextFormat(m_label->textFormat());
    m_twin.setAlignment(m_label->alignment());
    m_twin.setWordWrap(m_label->wordWrap());
    m_twin.setMargin(m_label->margin());
    m_twin.setIndent(m_label->indent());
    m_twin.setContentsMargins(m_label->contentsMargins());
    m_twin.setFont(m_label->font());
    m_twin.setPalette(m_label->palette());
    m_twin.setText(m_label->text());
    m_twin.resize(m_label->size());
    const qreal ratio = m_label->devicePixelRatioF();
    m_picture = QPixmap(m_label->size() * ratio);
    m_picture.setDevicePixelRatio(ratio);
    m_picture.fill(Qt::transparent);
    m_twin.render(&m_picture, QPoint(), QRegion(), QWidget::RenderFlags());
}
