#pragma once

#include <QWidget>

class QProgressBar;

// The small window that shows how far a settings transfer has got.
class TForm3 : public QWidget {
public:
    explicit TForm3(QWidget* parent = nullptr);

    // Sets the caption and shows the window centred over `over` unless it is already visible.
    void ShowProgressWindow(const QString& title, const QWidget* over);
    void ShowProgress(int done, int total);

    QProgressBar* ProgressBar1;
};
