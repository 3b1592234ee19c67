#pragma once

#include <QLabel>

// "ВЫХОД" in the header: red under the mouse, dark grey otherwise; a click ends the program.
class ExitLabel : public QLabel {
public:
    explicit ExitLabel(QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void SetColour(const QColor& colour);
};
