#include "platform/LinePictures.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOption>
#include <QVarLengthArray>
#include <cmath>

namespace {

// Enough to keep every line a history shows plus those it showed a moment ago.
constexpr qsizetype KeptLines = 96;

// Latin-1 text drawn by the label's own face lays out alone exactly as it does among
// other lines; other scripts and fallback faces may change the direction or the height.
bool layoutIsLocal(const QString& text, const QFontMetricsF& metrics) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\r' || u == u'\t')
            continue; // the toolkit draws both as a space
        if (u < 0x20 || (u >= 0x7f && u < 0xa0) || u > 0xff || !metrics.inFont(c))
            return false;
    }
    return true;
}

} // namespace

LinePictures::LinePictures(QLabel* label)
    : QObject(label), m_label(label), m_metrics(label->font(), label) {
    label->installEventFilter(this);
}

bool LinePictures::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_label || event->type() != QEvent::Paint)
        return QObject::eventFilter(watched, event);
    return paint(*static_cast<QPaintEvent*>(event));
}

// The settings under which the label draws its text with a single call, top left.
bool LinePictures::labelDrawable() const {
    const QLabel& l = *m_label;
    const bool plain = l.textFormat() == Qt::PlainText ||
                       (l.textFormat() == Qt::AutoText && !Qt::mightBeRichText(l.text()));
    return plain && !l.text().isEmpty() && !l.wordWrap() && l.isEnabled() && !l.buddy() &&
           l.alignment() == (Qt::AlignLeft | Qt::AlignTop) &&
           l.layoutDirection() == Qt::LeftToRight && l.frameWidth() == 0 && l.margin() == 0 &&
           l.indent() <= 0;
}

LinePictures::Look LinePictures::currentLook() const {
    QStyleOption option;
    option.initFrom(m_label);
    const QBrush& ink = option.palette.brush(m_label->foregroundRole());
    return {m_label->font(),
            ink.style() == Qt::SolidPattern ? ink.color() : QColor(),
            m_label->contentsRect().width(),
            m_label->devicePixelRatioF(),
            m_label->logicalDpiX(),
            m_label->logicalDpiY()};
}

bool LinePictures::paint(const QPaintEvent& event) {
    if (!labelDrawable())
        return false;
    const Look look = currentLook();
    if (!look.pen.isValid())
        return false;
    if (!(look == m_look)) {
        m_lines.clear();
        m_look = look;
        m_metrics = QFontMetricsF(look.font, m_label);
        m_leading = m_metrics.leading();
        m_lineHeight = m_metrics.height();
        m_inkRoom = int(std::ceil(m_lineHeight / 2)); // for ink that leaves the line's box
    }
    const QRect area = m_label->contentsRect();

    // Placed as the toolkit places lines: on whole pixels, until one ends past the bottom.
    struct Shown {
        QString text;
        int top;
    };
    QVarLengthArray<Shown, 32> shown;
    qreal height = -m_leading;
    for (const QStringView text : QStringView(m_label->text()).tokenize(u'\n')) {
        height = std::ceil(height + m_leading);
        shown.append({text.toString(), int(height)});
        if (!line(shown.back().text).drawable)
            return false;
        height += m_lineHeight;
        if (height >= area.height())
            break;
    }

    ++m_paints;
    const int pictureHeight = int(std::ceil(m_lineHeight)) + 2 * m_inkRoom;
    QPainter painter(m_label);
    painter.setClipRect(area);
    for (const Shown& s : shown) {
        Line& kept = m_lines[s.text];
        kept.lastPaint = m_paints;
        const QRect place(area.left(), area.top() + s.top - m_inkRoom, area.width(), pictureHeight);
        if (event.region().intersects(place))
            painter.drawImage(place.topLeft(), picture(s.text, kept));
    }
    forgetUnused();
    return true;
}

LinePictures::Line& LinePictures::line(const QString& text) {
    const auto found = m_lines.find(text);
    if (found != m_lines.end())
        return *found;
    Line fresh;
    fresh.drawable = layoutIsLocal(text, m_metrics);
    return *m_lines.insert(text, fresh);
}

const QImage& LinePictures::picture(const QString& text, Line& line) {
    if (!line.picture.isNull())
        return line.picture;
    const QSize size(m_look.width, int(std::ceil(m_lineHeight)) + 2 * m_inkRoom);
    QImage image(size * m_look.ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(m_look.ratio);
    // The face is sized for the label's resolution, not the picture's default one.
    image.setDotsPerMeterX(qRound(m_look.dpiX / 0.0254));
    image.setDotsPerMeterY(qRound(m_look.dpiY / 0.0254));
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(m_look.font);
    painter.setPen(m_look.pen);
    painter.drawText(QRectF(0, m_inkRoom, size.width(), m_lineHeight),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
    painter.end();
    line.picture = image;
    return line.picture;
}

void LinePictures::forgetUnused() {
    if (m_lines.size() <= KeptLines)
        return;
    for (auto it = m_lines.begin(); it != m_lines.end();)
        it = it->lastPaint == m_paints ? std::next(it) : m_lines.erase(it);
}
