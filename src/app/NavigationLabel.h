#pragma once

#include <QLabel>

// One entry of the navigation column: a centred bold caption that fills its frame, underlined while
// the mouse is over it, and clickable.
class NavigationLabel : public QLabel {
    Q_OBJECT
public:
    explicit NavigationLabel(QWidget* parent = nullptr);

    void SetColours(const QColor& text, const QColor& background);
    QColor TextColour() const;
    QColor BackgroundColour() const;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void SetUnderlined(bool underlined);
};
