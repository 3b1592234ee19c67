#include "app/UserPrompts.h"

#include <QFileDialog>

namespace {

class DialogPrompts : public UserPrompts {
public:
    void Message(QMessageBox::Icon icon, const QString& caption, const QString& text) override {
        QMessageBox box(icon, caption, text, QMessageBox::Ok);
        box.exec();
    }
    void DetailedMessage(QMessageBox::Icon icon, const QString& caption, const QString& text,
                         const QString& details) override {
        QMessageBox box(icon, caption, text, QMessageBox::Ok);
        box.setDetailedText(details);
        box.exec();
    }
    bool AskYesNo(const QString& caption, const QString& text) override {
        QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    }
    QString OpenFileName(const QString& filter) override {
        return QFileDialog::getOpenFileName(nullptr, QString(), QString(), filter);
    }
    QString SaveFileName(const QString& suggestedName, const QString& filter) override {
        return QFileDialog::getSaveFileName(nullptr, QString(), suggestedName, filter, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    }
    QString FolderName(const QString& title) override {
        return QFileDialog::getExistingDirectory(nullptr, title, QString(), QFileDialog::ShowDirsOnly);
    }
};

std::shared_ptr<UserPrompts>& Current() {
    static std::shared_ptr<UserPrompts> prompts = std::make_shared<DialogPrompts>();
    return prompts;
}

}  // namespace

UserPrompts& Prompts() { return *Current(); }

void SetPrompts(std::shared_ptr<UserPrompts> prompts) {
    Current() = prompts ? std::move(prompts) : std::make_shared<DialogPrompts>();
}
