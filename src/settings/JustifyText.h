#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Spreads the words of an explanatory text over the width of its memo: blanks are handed out one at a
// time, round-robin from the first word and never to the last, until one more blank would reach the
// outer width less 12 pixels. The last two lines stay as they are.
namespace JustifyText {

using TextWidth = std::function<int(const QString&)>;  // pixel width in the memo's font

// Splits at blanks: runs of blanks make no empty words, blanks between a pair of matching quote
// characters (' or ") do not split, and the quotes stay in the words.
QStringList Words(const QString& line);

QString JustifyLine(const QString& line, int outerWidth, const TextWidth& width);
QStringList JustifyLines(const QStringList& lines, int outerWidth, const TextWidth& width);

}  // namespace JustifyText
