#include "app/HeaderPanel.h"

#include <QMouseEvent>
#include <QWindow>

HeaderPanel::HeaderPanel(QWidget* parent) : QFrame(parent) {}

void HeaderPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    QWidget* top = window();
    // The window manager moves the window itself where it can; elsewhere we follow the mouse.
    if (top->windowHandle() && top->windowHandle()->startSystemMove())
        return;
    dragging_ = true;
    grabOffset_ = event->globalPosition().toPoint() - top->frameGeometry().topLeft();
}

void HeaderPanel::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton))
        window()->move(event->globalPosition().toPoint() - grabOffset_);
}

void HeaderPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        dragging_ = false;
}
