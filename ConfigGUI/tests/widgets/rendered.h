#pragma once

#include <QApplication>
#include <QImage>
#include <QWidget>

// Shows `widget` at `size` and returns what it draws.
inline QImage rendered(QWidget &widget, QSize size)
{
    widget.resize(size);
    widget.show();
    QApplication::processEvents();
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Number of pixels of exactly `color` inside `area` of `image`.
inline int countPixels(const QImage &image, QColor color, QRect area)
{
    int count = 0;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y) == color;
    return count;
}
