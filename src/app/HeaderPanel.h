#pragma once

#include <QFrame>
#include <QPoint>

// The header of the main window: pressing the left button on it and dragging moves the window, as a
// title bar would. Other buttons do nothing.
class HeaderPanel : public QFrame {
public:
    explicit HeaderPanel(QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool dragging_ = false;
    QPoint grabOffset_;  // the press point relative to the window's top-left corner
};
