#pragma once

#include <QWidget>

class QComboBox;
class QToolButton;

// The Wialon command window: the user picks one of three device commands and saves it as a
// three-byte command file for a Wialon server.
class TForm2 : public QWidget {
public:
    explicit TForm2(QWidget* parent = nullptr);

    // Shows the window centred over `over`, not modally.
    void ShowOver(const QWidget* over);
    // Asks for a file name and saves the chosen command there; hides the window once saved.
    void SpeedButton1Click();
    // The same without the dialog, for a name already chosen.
    void SaveCommandAs(const QString& chosenName);

    QComboBox* ComboBox1;
    QToolButton* SpeedButton1;
};
