#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

// The engineering menu's password prompt. A correct password hides it and opens the engineering
// window; a wrong one says so and empties the field.
class TForm4 : public QWidget {
public:
    static QString AccessPassword() { return QStringLiteral("42"); }

    explicit TForm4(QWidget* engineeringWindow);

    // Shown over the main window, the field empty and focused.
    void Open(const QWidget* over);
    void Button1Click();  // "Вход"
    void Button2Click();  // "Отмена"

    QLabel* Label1;
    QLineEdit* MaskEdit1;
    QPushButton* Button1;
    QPushButton* Button2;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MaskEdit1KeyDown(int key);

    QWidget* engineeringWindow_;
};
