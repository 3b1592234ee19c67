#include "settings/ui/KeyFilter.h"

#include "settings/KeyFilters.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

// A key types a character when its text is a printable character or a backspace.
bool TypesCharacter(const QString& text) {
    if (text.size() != 1)
        return !text.isEmpty();
    const QChar key = text.front();
    return key == Backspace || key.isPrint();
}

}  // namespace

KeyFilter::KeyFilter(Allows allows, QObject* parent) : QObject(parent), allows_(allows) {}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (!TypesCharacter(text))
        return false;
    for (const QChar key : text)
        if (!allows_(key))
            return true;
    return false;
}

void InstallKeyFilters(QWidget* pages) {
    for (QLineEdit* field : pages->findChildren<QLineEdit*>())
        if (const KeyPressFilter allows = KeyFilterOf(field->objectName()))
            field->installEventFilter(new KeyFilter(allows, field));
}
