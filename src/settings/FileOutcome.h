#pragma once

#include <QString>

// The result of a file action: on failure the message box to show (OK button, no icon).
struct FileOutcome {
    bool ok = true;
    QString caption;
    QString message;

    static FileOutcome Success() { return {}; }
    static FileOutcome Failure(const QString& message) { return {false, QStringLiteral("Ошибка"), message}; }
    explicit operator bool() const { return ok; }
};
