#include "app/ExitLabel.h"

#include "app/AppFonts.h"
#include "app/ShellColours.h"

#include <QCoreApplication>
#include <QMouseEvent>

ExitLabel::ExitLabel(QWidget* parent) : QLabel(QStringLiteral("ВЫХОД"), parent) {
    setObjectName(QStringLiteral("Label21"));
    setFont(AppFonts::ArialBlack(10));
    setMouseTracking(true);
    SetColour(ShellColours::DarkGrey());
}

void ExitLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        QCoreApplication::quit();
}

void ExitLabel::mouseMoveEvent(QMouseEvent*) { SetColour(ShellColours::Red()); }

void ExitLabel::leaveEvent(QEvent*) { SetColour(ShellColours::DarkGrey()); }

void ExitLabel::SetColour(const QColor& colour) { ShellColours::SetTextColour(this, colour); }
