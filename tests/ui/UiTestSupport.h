#pragma once

#include "app/AppWindows.h"
#include "app/UserPrompts.h"
#include "link/UsbSerialSource.h"

#include <QList>
#include <QWidget>
#include <QStringList>

#include <deque>
#include <memory>

// Stands in for every message box and file dialog: records what the program showed and gives the
// answers a test has queued (No and "cancelled" when none is queued).
class ScriptedPrompts : public UserPrompts {
public:
    struct Shown {
        QMessageBox::Icon icon;
        QString caption;
        QString text;
        bool question;
        QString details;
    };

    void Message(QMessageBox::Icon icon, const QString& caption, const QString& text) override {
        shown.append({icon, caption, text, false, {}});
    }
    void DetailedMessage(QMessageBox::Icon icon, const QString& caption, const QString& text,
                         const QString& details) override {
        shown.append({icon, caption, text, false, details});
    }
    bool AskYesNo(const QString& caption, const QString& text) override {
        shown.append({QMessageBox::Warning, caption, text, true, {}});
        return Take(answers, false);
    }
    QString OpenFileName(const QString& filter) override {
        filters << filter;
        return Take(fileNames, QString());
    }
    QString SaveFileName(const QString& suggestedName, const QString& filter) override {
        suggestedNames << suggestedName;
        filters << filter;
        return Take(fileNames, QString());
    }

    QString FolderName(const QString& title) override {
        folderTitles << title;
        return Take(folders, QString());
    }

    QStringList Texts() const {
        QStringList texts;
        for (const Shown& box : shown)
            texts << box.text;
        return texts;
    }

    QList<Shown> shown;
    std::deque<bool> answers;
    std::deque<QString> fileNames;
    std::deque<QString> folders;
    QStringList folderTitles;
    QStringList suggestedNames;
    QStringList filters;

private:
    template <typename T>
    static T Take(std::deque<T>& queue, T none) {
        if (queue.empty())
            return none;
        T next = queue.front();
        queue.pop_front();
        return next;
    }
};

// Puts scripted prompts in place and a fixed list of USB serial ports for discovery (none unless
// given), so no test ever opens a real dialog or finds a real device.
inline std::shared_ptr<ScriptedPrompts> UseScriptedPrompts(const QStringList& usbPorts = {}) {
    auto prompts = std::make_shared<ScriptedPrompts>();
    SetPrompts(prompts);
    SetUsbSerialSource(std::make_shared<FixedUsbSerialSource>(usbPorts));
    return prompts;
}

// The control of that object name inside the window; the test stops when there is none.
template <typename Control>
Control* FindControl(const QWidget* window, const char* name) {
    auto* control = window->findChild<Control*>(QString::fromLatin1(name));
    if (!control)
        qFatal("no control %s", name);
    return control;
}
