#include "app/WindowPageQuestions.h"

#include "app/Unit1.h"
#include "app/UserPrompts.h"

#include <QStackedWidget>

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void WindowPageQuestions::ShowPage(int pageIndex, int navigationEntry) {
    if (navigationEntry > 0) {
        window_.SelectedItem = navigationEntry;
        window_.ResetNavigation();
    }
    window_.PageControl1->setCurrentIndex(pageIndex);
}

bool WindowPageQuestions::AskYesNo(const QString& caption, const QString& text) {
    return Prompts().AskYesNo(caption, text);
}

void WindowPageQuestions::ShowMessage(const QString& caption, const QString& text, MessageIcon icon) {
    Prompts().Message(BoxIcon(icon), caption, text);
}
