#include "settings/ui/JustifyMemo.h"

#include "settings/JustifyText.h"

#include <QFontMetrics>
#include <QPlainTextEdit>

void JustifyMemo(QPlainTextEdit* memo) {
    const QFontMetrics metrics(memo->font());
    const auto width = [&metrics](const QString& text) { return metrics.horizontalAdvance(text); };
    const QStringList lines = memo->toPlainText().split(u'\n');
    memo->setPlainText(JustifyText::JustifyLines(lines, memo->width(), width).join(u'\n'));
}
