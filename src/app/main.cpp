#include "app/AppWindows.h"
#include "app/BuiltInSimulator.h"
#include "app/ConfiguratorApplication.h"
#include "app/Unit1.h"

#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>

#include <exception>
#include <memory>

namespace {

int Run(ConfiguratorApplication& app) {
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Конфигуратор КОВА Т300 / Т310"));
    options.addHelpOption();
    const QCommandLineOption simulator(QStringLiteral("simulator"),
                                       QStringLiteral("Work with a simulated tracker built into the program."));
    options.addOption(simulator);
    const QCommandLineOption quitWhenShown(QStringLiteral("quit-when-shown"),
                                           QStringLiteral("Print \"shown\" and quit once the main window is on "
                                                          "screen (start-up timing)."));
    options.addOption(quitWhenShown);
    options.process(app);

    std::unique_ptr<BuiltInSimulator> simulated;
    if (options.isSet(simulator)) {
        simulated = std::make_unique<BuiltInSimulator>();
        QString why;
        if (!simulated->Start(&why)) {
            ShowUnhandledError(QStringLiteral("Не удалось запустить имитатор устройства: %1").arg(why));
            return 1;
        }
    }
    AppWindows windows;
    windows.Form1->show();
    if (options.isSet(quitWhenShown))
        QTimer::singleShot(0, &app, [&app] {
            std::fputs("shown\n", stdout);
            std::fflush(stdout);
            app.quit();
        });
    return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
    ConfiguratorApplication app(argc, argv);
    try {
        Run(app);
    } catch (const std::exception& error) {
        ShowUnhandledError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ShowUnhandledError(QString());
    }
    return 0;
}
