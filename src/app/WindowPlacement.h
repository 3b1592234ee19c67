#pragma once

class QWidget;

// Moves a window so that its centre is over another window's centre (a window of no owner stays put).
void CentreOver(QWidget* window, const QWidget* over);
