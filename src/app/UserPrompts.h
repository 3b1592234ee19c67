#pragma once

#include <QMessageBox>
#include <QString>

#include <memory>

// The program's message boxes and file dialogs. All of them go through here, so tests can answer them
// without a real modal box. Every box has no owner window, as the device jobs' reports expect.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    // A box with an OK button.
    virtual void Message(QMessageBox::Icon icon, const QString& caption, const QString& text) = 0;
    // The same box with more to read behind its "Show Details..." button.
    virtual void DetailedMessage(QMessageBox::Icon icon, const QString& caption, const QString& text,
                                 const QString& details) = 0;
    // A Yes/No question with the warning icon; true for Yes.
    virtual bool AskYesNo(const QString& caption, const QString& text) = 0;
    // The chosen file name, empty when the user cancels. The filter is in Qt's form, "Name (*.ext)".
    virtual QString OpenFileName(const QString& filter) = 0;
    // Saving over an existing file asks nothing, as the device's own tools always did.
    virtual QString SaveFileName(const QString& suggestedName, const QString& filter) = 0;
    // A folder of the file system, chosen under that title; empty when the user cancels.
    virtual QString FolderName(const QString& title) = 0;
};

// The prompts in use: real dialogs unless something was put in their place.
UserPrompts& Prompts();
void SetPrompts(std::shared_ptr<UserPrompts> prompts);

inline QString ProgramCaption() { return QStringLiteral("Конфигуратор"); }
