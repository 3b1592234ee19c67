#pragma once

#include <QApplication>

// The application object. Qt's own texts are in Russian. An exception that escapes an event handler is
// shown in a message box, and the program then ends.
class ConfiguratorApplication : public QApplication {
public:
    ConfiguratorApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

private:
    void InstallQtTranslations();
};

// The last-resort display of an error that nothing else handled.
void ShowUnhandledError(const QString& message);
