#include "app/ConfiguratorApplication.h"

#include "app/UserPrompts.h"

#include <exception>

ConfiguratorApplication::ConfiguratorApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // The program's title is each window's own caption; a display name would be appended to them all.
    setApplicationName(QStringLiteral("kova-configurator"));
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
