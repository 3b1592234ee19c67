#include "app/WindowPlacement.h"

#include <QWidget>

void CentreOver(QWidget* window, const QWidget* over) {
    if (!over)
        return;
    QRect placed = window->frameGeometry();
    placed.moveCenter(over->frameGeometry().center());
    window->move(placed.topLeft());
}
