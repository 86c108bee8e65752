#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QString>

class QLabel;
class QPaintEvent;

// Paints a plain label line by line from kept pictures of its lines, placed where the
// toolkit places them, so the pixels are the same. The panel's labels change several times
// an exchange, mostly back to texts they showed before, and laying a text out again is
// most of what their repaint costs. What the pictures cannot reproduce exactly (rich or
// wrapped text, other alignments, characters from a fallback font) the label paints itself.
class LinePictures : public QObject {
    Q_OBJECT
public:
    explicit LinePictures(QLabel* label);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Line {
        bool drawable = false;
        QImage picture; // made when first shown
        quint64 lastPaint = 0;
    };
    // What every picture depends on besides its text.
    struct Look {
        QFont font;
        QColor pen;
        int width = 0;
        qreal ratio = 1;
        int dpiX = 0;
        int dpiY = 0;
        bool operator==(const Look&) const = default;
    };

    bool labelDrawable() const;
    Look currentLook() const;
    bool paint(const QPaintEvent& event);
    Line& line(const QString& text);
    const QImage& picture(const QString& text, Line& line);
    void forgetUnused();

    QLabel* m_label;
    Look m_look;
    // Of the face in m_look, measured for the label's resolution.
    QFontMetricsF m_metrics;
    qreal m_leading = 0;
    qreal m_lineHeight = 0;
    int m_inkRoom = 0;
    QHash<QString, Line> m_lines;
    quint64 m_paints = 0;
};
