#pragma once

#include <memory>

class QWidget;
class TForm1;
class TForm2;
class TForm3;
class TForm6;

// The program's six windows, created once in the order TForm1 ... TForm6 and kept until it ends. The
// first is the main window; the others start hidden.
class AppWindows {
public:
    AppWindows();
    ~AppWindows();
    AppWindows(const AppWindows&) = delete;
    AppWindows& operator=(const AppWindows&) = delete;

    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<TForm2> Form2;
    std::unique_ptr<TForm3> Form3;
    std::unique_ptr<QWidget> Form4;  // the engineering menu's password prompt (still to come)
    std::unique_ptr<QWidget> Form5;  // the engineering menu (still to come)
    std::unique_ptr<TForm6> Form6;
};
