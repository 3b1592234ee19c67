#pragma once

#include "UiTestSupport.h"

#include "SimPort.h"
#include "link/Timings.h"
#include "service/ui/Unit5.h"

#include <QPlainTextEdit>
#include <QTemporaryDir>

// What the engineering window's tests share: the simulated tracker on a pty, scripted prompts, the
// program's windows and a config.ini of the test's own.
class EngineeringHarness {
protected:
    QString ConfigPath() const { return files.filePath(QStringLiteral("config.ini")); }
    QStringList LogLines() const { return form->Memo1->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

    // Plugs the tracker in and makes it the one USB serial port discovery finds; the engineering
    // window created next starts with an empty config.ini.
    bool PlugIn() {
        device.Device().SetFaults({});
        if (!device.Start())
            return false;
        prompts = UseScriptedPrompts({device.Path()});
        QFile::remove(ConfigPath());
        TForm5::UseConfigFile(ConfigPath());
        return true;
    }
    void CloseEverything() {
        windows.reset();
        device.Stop();
        MutableTimings() = defaults;
        TForm5::UseConfigFile(QString());
        SetPrompts(nullptr);
    }

    SimPort device;
    QTemporaryDir files;
    std::shared_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<AppWindows> windows;
    TForm5* form = nullptr;
    const Timings defaults = CurrentTimings();
};
