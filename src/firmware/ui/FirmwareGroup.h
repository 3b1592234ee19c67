#pragma once

#include <QGroupBox>

class QPlainTextEdit;
class QProgressBar;
class QToolButton;

// The firmware group of the device page: the instructions, the update button and the progress bar.
// The main window starts the update; this group only shows it.
class FirmwareGroup : public QGroupBox {
public:
    explicit FirmwareGroup(QWidget* parent = nullptr);

    // Progress of an update in payload bytes; the bar is made visible and shows done of total.
    void ShowProgress(qint64 done, qint64 total);

    QPlainTextEdit* Memo14;
    QToolButton* SpeedButton6;
    QProgressBar* ProgressBar1;
};
