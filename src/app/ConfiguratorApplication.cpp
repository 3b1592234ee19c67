#include "app/ConfiguratorApplication.h"

#include "app/UserPrompts.h"

#include <QLibraryInfo>
#include <QTranslator>

#include <exception>

ConfiguratorApplication::ConfiguratorApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // The name files and settings folders go by, and the title the desktop shows for the program (the
    // main window's caption is that title itself; the system adds it to the other windows' captions).
    setApplicationName(QStringLiteral("kova-configurator"));
    setApplicationDisplayName(QStringLiteral("Конфигуратор"));
    InstallQtTranslations();
}

// Qt's own buttons and dialogs (Yes/No, the file dialogs) speak Russian like the rest of the program,
// whatever the system's language.
void ConfiguratorApplication::InstallQtTranslations() {
    auto* qtTexts = new QTranslator(this);
    if (qtTexts->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(qtTexts);
}

bool ConfiguratorApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowUnhandledError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ShowUnhandledError(QString());
    }
    exit(0);
    return false;
}

void ShowUnhandledError(const QString& message) {
    Prompts().Message(QMessageBox::Critical, ProgramCaption(), message);
}
