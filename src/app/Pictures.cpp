#include "app/Pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int FlagWidth = 30;
constexpr int FlagHeight = 20;

void DrawTricolour(QPainter& painter)
{
    const QColor stripes[] = {Qt::white, QColor(0x00, 0x39, 0xA6), QColor(0xD5, 0x2B, 0x1E)};
    for (int i = 0; i < 3; ++i)
        painter.fillRect(QRectF(0, i * FlagHeight / 3.0, FlagWidth, FlagHeight / 3.0), stripes[i]);
}

void DrawCrosses(QPainter& painter)
{
    const QColor blue(0x01, 0x21, 0x69);
    const QColor red(0xC8, 0x10, 0x2E);
    painter.fillRect(QRect(0, 0, FlagWidth, FlagHeight), blue);
    painter.setPen(QPen(Qt::white, 4));
    painter.drawLine(0, 0, FlagWidth, FlagHeight);
    painter.drawLine(0, FlagHeight, FlagWidth, 0);
    painter.setPen(QPen(red, 1.5));
    painter.drawLine(0, 0, FlagWidth, FlagHeight);
    painter.drawLine(0, FlagHeight, FlagWidth, 0);
    painter.fillRect(QRect(FlagWidth / 2 - 3, 0, 6, FlagHeight), Qt::white);
    painter.fillRect(QRect(0, FlagHeight / 2 - 3, FlagWidth, 6), Qt::white);
    painter.fillRect(QRect(FlagWidth / 2 - 2, 0, 4, FlagHeight), red);
    painter.fillRect(QRect(0, FlagHeight / 2 - 2, FlagWidth, 4), red);
}
} // namespace

QPixmap FlagPicture(Language language)
{
    QPixmap picture(FlagWidth, FlagHeight);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    if (language == Language::Russian)
        DrawTricolour(painter);
    else
        DrawCrosses(painter);
    painter.setPen(QPen(Qt::darkGray, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(0, 0, FlagWidth - 1, FlagHeight - 1));
    return picture;
}

QPixmap LogoPicture(int size)
{
    // A memory chip with its pins and the programmer's name on it.
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xB0, 0xB4, 0xBA));
    for (int pin = 0; pin < 4; ++pin) {
        const qreal y = unit * (4 + pin * 2.5);
        painter.drawRect(QRectF(unit * 1, y, unit * 2, unit));
        painter.drawRect(QRectF(unit * 13, y, unit * 2, unit));
    }
    QPainterPath body;
    body.addRoundedRect(QRectF(unit * 3, unit * 2, unit * 10, unit * 12), unit, unit);
    painter.fillPath(body, QColor(0x1F, 0x4E, 0x79));
    painter.setBrush(QColor(0xF2, 0xA9, 0x00));
    painter.drawEllipse(QPointF(unit * 5, unit * 4), unit * 0.8, unit * 0.8);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(qMax(6, static_cast<int>(unit * 2.6)));
    painter.setFont(font);
    painter.drawText(QRectF(unit * 3, unit * 6, unit * 10, unit * 6), Qt::AlignCenter, QStringLiteral("PX17"));
    return picture;
}
