#pragma once

#include <QFrame>
#include <QStyle>

class QToolButton;

// The tool bar over the pages: flat 46 x 46 picture buttons with their hints as tool tips. The file,
// Wialon and engineering buttons are hidden; the window reaches their actions from the keyboard.
class ToolPanel : public QFrame {
public:
    explicit ToolPanel(QWidget* parent = nullptr);

    QToolButton* SpeedButton3;  // write the settings to the device
    QToolButton* SpeedButton4;  // read the settings from the device
    QToolButton* SpeedButton5;  // defaults
    QToolButton* SpeedButton7;  // Wialon command (hidden)
    QToolButton* SpeedButton1;  // load a settings file (hidden)
    QToolButton* SpeedButton2;  // save a settings file (hidden)
    QToolButton* SpeedButton8;  // engineering menu (hidden)

private:
    QToolButton* AddButton(const char* name, int slot, QStyle::StandardPixmap picture, const QString& hint,
                           bool visible);
};
