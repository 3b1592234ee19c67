#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

// The main window's colours, and how a widget is given them.
namespace ShellColours {
inline QColor Light() { return QColor(245, 242, 240); }
inline QColor SteelBlue() { return QColor(64, 125, 161); }
inline QColor DarkGrey() { return QColor(64, 64, 66); }
inline QColor FrameGrey() { return QColor(68, 68, 68); }
inline QColor Red() { return QColor(255, 0, 0); }

inline void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette colours = widget->palette();
    colours.setColor(role, colour);
    widget->setPalette(colours);
}
inline void SetBackground(QWidget* widget, const QColor& colour) {
    widget->setAutoFillBackground(true);
    SetColour(widget, QPalette::Window, colour);
}
inline void SetTextColour(QWidget* widget, const QColor& colour) { SetColour(widget, QPalette::WindowText, colour); }
}  // namespace ShellColours
