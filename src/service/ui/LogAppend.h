#pragma once

#include <QString>

class QPlainTextEdit;

// Adds text at the end of a log as it is, without a line break of its own, and keeps the end in
// view. Costs the text added, not the log's length.
void AppendToLog(QPlainTextEdit* log, const QString& text);
