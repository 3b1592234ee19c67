#pragma once

#include <QWidget>

class QPlainTextEdit;

// The developer's trace window: the raw answers of each settings read, one line per slot. Hidden;
// Ctrl+Shift+T in the main window opens it.
class TForm6 : public QWidget {
public:
    explicit TForm6(QWidget* parent = nullptr);

    // Appends the first 32 bytes of an answer as one line, then the blank lines that separate answers.
    void TraceReply(const QByteArray& first32Bytes);

    QPlainTextEdit* Memo1;
};

// An answer as the trace shows it: a zero byte as "0x00 ", any other byte as its character and a blank.
QString TraceLine(const QByteArray& bytes);
