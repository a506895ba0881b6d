#include "printjob/gui/glyphs.h"

#include "printjob/previewlayout.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace formidor {
namespace {

const QColor kInk(0x30, 0x30, 0x30);
const QColor kArrow(0x1f, 0x5f, 0xbf);
const QColor kPaper(Qt::white);
const QColor kMetal(0xa0, 0xa4, 0xaa);

void printer(QPainter& p, const QRectF& r) {
    // r is the whole glyph area; the printer is drawn to fit it.
    const qreal x = r.x(), y = r.y(), w = r.width(), h = r.height();
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(x + w * 0.25, y + 0.5, w * 0.5, h * 0.4)); // paper going in
    p.setBrush(kMetal);
    p.drawRoundedRect(QRectF(x + 0.5, y + h * 0.4, w - 1, h * 0.38), 1.5, 1.5);
    p.setBrush(kPaper);
    p.drawRect(QRectF(x + w * 0.2, y + h * 0.7, w * 0.6, h * 0.28)); // paper coming out
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2c, 0xa0, 0x3c));
    p.drawEllipse(QPointF(x + w * 0.8, y + h * 0.52), 0.9, 0.9);
}

void triangle(QPainter& p, bool left, qreal cx) {
    QPolygonF t;
    if (left)
        t << QPointF(cx + 3.5, 3) << QPointF(cx + 3.5, 13) << QPointF(cx - 2.5, 8);
    else
        t << QPointF(cx - 3.5, 3) << QPointF(cx - 3.5, 13) << QPointF(cx + 2.5, 8);
    p.setPen(QPen(kArrow.darker(140), 1));
    p.setBrush(kArrow);
    p.drawPolygon(t);
}

void bar(QPainter& p, qreal x) {
    p.setPen(QPen(kArrow.darker(140), 1));
    p.setBrush(kArrow);
    p.drawRect(QRectF(x, 3, 2, 10));
}

void page(QPainter& p, const QRectF& r) {
    QPainterPath path;
    const qreal fold = 3.5;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void textLines(QPainter& p, qreal left, qreal right, qreal top, qreal bottom) {
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    for (qreal y = top; y <= bottom; y += 2) p.drawLine(QPointF(left, y), QPointF(right, y));
}

void magnifier(QPainter& p, bool plus) {
    p.setPen(QPen(QColor(0x60, 0x40, 0x20), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 10.5), QPointF(14.5, 14.5));
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(0xe4, 0xf0, 0xff));
    p.drawEllipse(QPointF(6.5, 6.5), 5, 5);
    p.setPen(QPen(kArrow, 1.6));
    p.drawLine(QPointF(4, 6.5), QPointF(9, 6.5));
    if (plus) p.drawLine(QPointF(6.5, 4), QPointF(6.5, 9));
}

void paintCell(QPainter& p, int kind) {
    switch (kind) {
    case btnPrint:
        printer(p, QRectF(0, 0, 16, 16));
        break;
    case btnPrintDialog:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kPaper);
        p.drawRect(QRectF(0.5, 0.5, 15, 15));
        p.setPen(Qt::NoPen);
        p.setBrush(kArrow);
        p.drawRect(QRectF(1, 1, 14, 3));
        printer(p, QRectF(3, 5, 10, 10));
        break;
    case btnPrinterSetupDialog: {
        printer(p, QRectF(0, 0, 12, 12));
        // a small gear at the lower right
        const QPointF c(11.5, 11.5);
        const QColor rim(0x70, 0x50, 0x10);
        p.setPen(QPen(rim, 1.6, Qt::SolidLine, Qt::FlatCap));
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(c);
            p.rotate(45.0 * i);
            p.drawLine(QPointF(0, 2.2), QPointF(0, 4.3));
            p.restore();
        }
        p.setPen(QPen(rim, 1));
        p.setBrush(QColor(0xf0, 0xc0, 0x30));
        p.drawEllipse(c, 3, 3);
        p.setBrush(kPaper);
        p.drawEllipse(c, 1, 1);
        break;
    }
    case btnFirstPage:
        bar(p, 2.5);
        triangle(p, true, 8.5);
        break;
    case btnPrevPage:
        triangle(p, true, 7.5);
        break;
    case btnNextPage:
        triangle(p, false, 8.5);
        break;
    case btnLastPage:
        triangle(p, false, 7.5);
        bar(p, 11.5);
        break;
    case btnWholePage:
        page(p, QRectF(3.5, 1.5, 9, 13));
        textLines(p, 5.5, 10.5, 6.5, 12.5);
        break;
    case btnPageWidth: {
        page(p, QRectF(1.5, 1.5, 13, 13));
        textLines(p, 3.5, 12.5, 5.5, 6.5);
        textLines(p, 3.5, 12.5, 11.5, 12.5);
        p.setPen(QPen(kArrow, 1.3));
        p.drawLine(QPointF(3, 9), QPointF(13, 9));
        p.setBrush(kArrow);
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF() << QPointF(2.5, 9) << QPointF(5.5, 6.5) << QPointF(5.5, 11.5));
        p.drawPolygon(QPolygonF() << QPointF(13.5, 9) << QPointF(10.5, 6.5) << QPointF(10.5, 11.5));
        break;
    }
    case btnZoomOut:
        magnifier(p, false);
        break;
    case btnZoomIn:
        magnifier(p, true);
        break;
    case btnRefresh: {
        const QColor green(0x20, 0x90, 0x30);
        p.setPen(QPen(green, 2, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(2.5, 2.5, 11, 11), 100 * 16, 280 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(green);
        p.drawPolygon(QPolygonF() << QPointF(6, 0.5) << QPointF(10.5, 3) << QPointF(6, 6.5));
        break;
    }
    case btnClose: {
        p.setPen(QPen(QColor(0x90, 0x10, 0x10), 1));
        p.setBrush(QColor(0xd8, 0x30, 0x30));
        p.drawEllipse(QPointF(8, 8), 7, 7);
        p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5.2, 5.2), QPointF(10.8, 10.8));
        p.drawLine(QPointF(10.8, 5.2), QPointF(5.2, 10.8));
        break;
    }
    default:
        break;
    }
}

QImage paintSmallStrip() {
    constexpr int cells = 13;
    QImage strip(kGlyphSize * cells, kGlyphSize, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    for (int k = 0; k < cells; ++k) {
        p.save();
        p.translate(kGlyphSize * k, 0);
        p.setClipRect(0, 0, kGlyphSize, kGlyphSize);
        paintCell(p, k);
        p.restore();
    }
    return strip;
}

} // namespace

const QImage& LoadGlyphStrip(const QString& name) {
    static const QImage none;
    if (name != QLatin1String("SMALL")) return none;
    static const QImage small = paintSmallStrip();
    return small;
}

QImage GlyphCell(const QImage& strip, int index) {
    if (index < 0 || kGlyphSize * (index + 1) > strip.width()) return {};
    return strip.copy(kGlyphSize * index, 0, kGlyphSize, kGlyphSize);
}

} // namespace formidor
