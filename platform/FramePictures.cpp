#include "platform/FramePictures.h"

#include <QPainter>
#include <QPixmapCache>
#include <QStyleOptionFrame>

namespace {

QString pictureKey(QStyle::PrimitiveElement element, const QStyleOptionFrame& frame, qreal ratio) {
    return QString::asprintf("zintor-frame-%d-%dx%d-%u-%lld-%d-%d-%d-%g", int(element),
                             frame.rect.width(), frame.rect.height(), uint(frame.state),
                             qint64(frame.palette.cacheKey()), frame.lineWidth, frame.midLineWidth,
                             int(frame.direction), double(ratio));
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
