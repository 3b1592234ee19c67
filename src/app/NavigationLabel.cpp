#include "app/NavigationLabel.h"

#include "app/AppFonts.h"
#include "app/ShellColours.h"

#include <QMouseEvent>

NavigationLabel::NavigationLabel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setFont(AppFonts::Arial(8, true));
    setMouseTracking(true);
}

void NavigationLabel::SetColours(const QColor& text, const QColor& background) {
    ShellColours::SetTextColour(this, text);
    ShellColours::SetBackground(this, background);
}

QColor NavigationLabel::TextColour() const { return palette().color(QPalette::WindowText); }

QColor NavigationLabel::BackgroundColour() const { return palette().color(QPalette::Window); }

void NavigationLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QLabel::mousePressEvent(event);
}

void NavigationLabel::mouseMoveEvent(QMouseEvent* event) {
    SetUnderlined(true);
    QLabel::mouseMoveEvent(event);
}

void NavigationLabel::leaveEvent(QEvent* event) {
    SetUnderlined(false);
    QLabel::leaveEvent(event);
}

void NavigationLabel::SetUnderlined(bool underlined) {
    QFont style = font();
    style.setUnderline(underlined);
    setFont(style);
}
