#pragma once

#include <QColor>
#include <QString>

class QWidget;

// What assistive technology reads of the display widgets: the number display its number, the
// progress bar its per cent, the lamp "an" or "aus" and the colour it shows. The name (what the
// widget stands for) is the widget's accessible name, given by the window that places it.
class WidgetAccessibility
{
public:
    // Registers the widgets' accessible interfaces with Qt; every widget calls it when created.
    static void install();
    // Tells assistive technology that the value a widget shows has changed.
    static void valueChanged(QWidget* widget);
    // The German name of a colour ("grün", "rot", "grau", ...), else its "#rrggbb" form.
    static QString colourName(const QColor& colour);
};
