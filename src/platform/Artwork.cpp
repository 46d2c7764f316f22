#include "platform/Artwork.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace arb {

QPixmap emblem(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    // Shield: blue field with a gold rim.
    QPainterPath shield;
    shield.moveTo(s * 0.12, s * 0.08);
    shield.lineTo(s * 0.88, s * 0.08);
    shield.lineTo(s * 0.88, s * 0.55);
    shield.quadTo(s * 0.88, s * 0.82, s * 0.5, s * 0.95);
    shield.quadTo(s * 0.12, s * 0.82, s * 0.12, s * 0.55);
    shield.closeSubpath();
    p.setPen(QPen(QColor(212, 175, 55), s * 0.04));
    p.setBrush(QColor(0, 40, 140));
    p.drawPath(shield);
    // Green hills and a river for the valley.
    QPainterPath hills;
    hills.moveTo(s * 0.16, s * 0.62);
    hills.quadTo(s * 0.35, s * 0.40, s * 0.52, s * 0.58);
    hills.quadTo(s * 0.68, s * 0.44, s * 0.84, s * 0.60);
    hills.lineTo(s * 0.82, s * 0.72);
    hills.quadTo(s * 0.5, s * 0.92, s * 0.18, s * 0.72);
    hills.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 150, 60));
    p.drawPath(hills);
    p.setPen(QPen(QColor(120, 200, 255), s * 0.03));
    p.drawLine(QPointF(s * 0.30, s * 0.80), QPointF(s * 0.70, s * 0.66));
    // A gold star above the valley.
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2 ? 0.07 : 0.16) * s;
        const double a = -M_PI / 2 + i * M_PI / 5;
        star << QPointF(s * 0.5 + r * qCos(a), s * 0.30 + r * qSin(a));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 215, 0));
    p.drawPolygon(star);
    return pm;
}

QPixmap banner(int width, int height)
{
    QPixmap pm(width, height);
    pm.fill(QColor(0, 0, 160));
    QPainter p(&pm);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(height * 45 / 100);
    p.setFont(f);
    p.setPen(QColor(255, 255, 0));
    p.drawText(QRect(0, 0, width, height), Qt::AlignCenter, QStringLiteral("MAJLIS DAERAH LEMBAH SERINDIT"));
    return pm;
}

} // namespace arb
