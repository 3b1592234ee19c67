#pragma once

#include "settings/PageQuestions.h"

class TForm1;

// The settings checks' questions and messages as boxes, and their page changes in the main window.
class WindowPageQuestions : public PageQuestions {
public:
    explicit WindowPageQuestions(TForm1& window) : window_(window) {}
    void ShowPage(int pageIndex, int navigationEntry) override;
    bool AskYesNo(const QString& caption, const QString& text) override;
    void ShowMessage(const QString& caption, const QString& text, MessageIcon icon) override;

private:
    TForm1& window_;
};
