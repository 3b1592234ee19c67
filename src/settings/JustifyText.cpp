#include "settings/JustifyText.h"

namespace JustifyText {

namespace {
constexpr int Margin = 12;

bool IsQuote(QChar c) { return c == u'\'' || c == u'"'; }
}  // namespace

QStringList Words(const QString& line) {
    QStringList words;
    QString word;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (IsQuote(c)) {
            const qsizetype closing = line.indexOf(c, i + 1);
            if (closing > i) {
                word += line.mid(i, closing - i + 1);
                i = closing;
                continue;
            }
        }
        if (c == u' ') {
            if (!word.isEmpty())
                words << word;
            word.clear();
            continue;
        }
        word += c;
    }
    if (!word.isEmpty())
        words << word;
    return words;
}

QString JustifyLine(const QString& line, int outerWidth, const TextWidth& width) {
    QStringList words = Words(line);
    if (words.size() < 2)
        return line;
    qsizetype k = 0;
    int lastWidth = -1;
    QString joined;
    for (;;) {
        joined = words.join(QString());
        const int nextWidth = width(joined + u' ');
        // A font in which a blank takes no room would never reach the width.
        if (nextWidth + Margin >= outerWidth || nextWidth <= lastWidth)
            break;
        lastWidth = nextWidth;
        words[k] += u' ';
        if (++k == words.size() - 1)
            k = 0;
    }
    // Where the memo is too narrow for one blank between every pair of words, gluing words together
    // would make the text unreadable: the line stays as it was.
    for (qsizetype i = 0; i + 1 < words.size(); ++i)
        if (!words[i].endsWith(u' '))
            return line;
    return joined;
}

QStringList JustifyLines(const QStringList& lines, int outerWidth, const TextWidth& width) {
    QStringList justified = lines;
    for (qsizetype i = 0; i < lines.size() - 2; ++i)
        justified[i] = JustifyLine(lines[i], outerWidth, width);
    return justified;
}

}  // namespace JustifyText
