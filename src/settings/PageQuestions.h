#pragma once

#include <QString>

enum class MessageIcon { None, Information, Warning, Error };

// How the settings checks talk to the user. The window shows message boxes without an owner window;
// kova-cli prints and answers from its options; tests record.
class PageQuestions {
public:
    virtual ~PageQuestions() = default;
    // Makes settings page pageIndex (0..8) the active one. navigationEntry 1..9 first selects that
    // entry the way a click would not: SelectedItem = entry, then ResetNavigation. 0 leaves the
    // navigation as it is.
    virtual void ShowPage(int pageIndex, int navigationEntry) = 0;
    // A Yes/No box with the warning icon; true for Yes.
    virtual bool AskYesNo(const QString& caption, const QString& text) = 0;
    // A box with an OK button.
    virtual void ShowMessage(const QString& caption, const QString& text, MessageIcon icon) = 0;
};
