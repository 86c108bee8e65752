#include "platform/FramePictures.h"

#include <QPainter>
#include <QPixmapCache>
#include <QStyleOptionFrame>

namespace {

QString pictureKey(QStyle::PrimitiveElement element, const QStyleOptionFrame& frame, qreal ratio) {
    return QStringLiteral("zintor-frame-%1-%2x%3-%4-%5-%6-%7-%8-%9")
        .arg(int(element))
        .arg(frame.rect.width())
        .arg(frame.rect.height())
        .arg(int(frame.state))
        .arg(frame.palette.cacheKey())
        .arg(frame.lineWidth)
        .arg(frame.midLineWidth)
        .arg(int(frame.direction))
        .arg(ratio);
}

} // namespace

void FramePictures::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    if (element != PE_PanelLineEdit || !frame || frame->rect.isEmpty()) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const qreal ratio = painter->device()->devicePixelRatioF();
    const QString key = pictureKey(element, *frame, ratio);
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = QPixmap(frame->rect.size() * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QStyleOptionFrame atOrigin = *frame;
        atOrigin.rect.moveTopLeft(QPoint(0, 0));
        QPainter onPicture(&picture);
        QProxyStyle::drawPrimitive(element, &atOrigin, &onPicture, widget);
        onPicture.end();
        QPixmapCache::insert(key, picture);
    }
    painter->drawPixmap(frame->rect.topLeft(), picture);
}
