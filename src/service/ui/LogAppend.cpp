#include "service/ui/LogAppend.h"

#include <QPlainTextEdit>
#include <QTextCursor>

void AppendToLog(QPlainTextEdit* log, const QString& text) {
    QTextCursor end = log->textCursor();
    end.movePosition(QTextCursor::End);
    if (!text.isEmpty())
        end.insertText(text);
    log->setTextCursor(end);
    log->ensureCursorVisible();
}
