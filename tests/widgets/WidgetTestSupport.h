#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

class QWidget;

// Colour of pixels that a widget leaves alone when it is rendered with renderWidget().
inline const QColor Unpainted(1, 2, 3);

// The widget's picture at its own size, over the Unpainted colour (no window background).
QImage renderWidget(QWidget& widget);

// The colour of one pixel; out of the picture gives an invalid colour.
QColor pixelAt(const QImage& image, int x, int y);

// Shows the widget, lets it paint, runs `change` and returns the region that the change had
// repainted.
QRegion repaintedBy(QWidget& widget, const std::function<void()>& change);

void PrintTo(const QColor& colour, std::ostream* out);
