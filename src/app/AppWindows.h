#pragma once

#include "app/JobRegistry.h"

#include <memory>

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;

// The program's six windows, created once in the order TForm1 ... TForm6 and kept until it ends, and
// the registry of the device jobs they start. The first is the main window; the others start hidden.
class AppWindows {
public:
    AppWindows();
    ~AppWindows();
    AppWindows(const AppWindows&) = delete;
    AppWindows& operator=(const AppWindows&) = delete;

    JobRegistry Jobs;
    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<TForm2> Form2;
    std::unique_ptr<TForm3> Form3;
    std::unique_ptr<TForm4> Form4;
    std::unique_ptr<TForm5> Form5;
    std::unique_ptr<TForm6> Form6;
};
