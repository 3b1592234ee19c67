#include "settings/KeyFilters.h"

#include "settings/PageTexts.h"

#include <algorithm>

namespace {
bool DigitOrBackspace(QChar key) { return (key >= u'0' && key <= u'9') || key == Backspace; }
}  // namespace

bool Edit1KeyPress(QChar key) { return DigitOrBackspace(key) || key == u'+'; }
bool Edit2KeyPress(QChar key) { return DigitOrBackspace(key); }
bool Edit6KeyPress(QChar key) { return DigitOrBackspace(key); }
bool Edit8KeyPress(QChar key) { return DigitOrBackspace(key); }

KeyPressFilter KeyFilterOf(const QString& editName) {
    if (editName == u"Edit1")
        return Edit1KeyPress;
    if (editName == u"Edit2")
        return Edit2KeyPress;
    if (editName == u"Edit6")
        return Edit6KeyPress;
    if (editName == u"Edit8")
        return Edit8KeyPress;
    return nullptr;
}

bool FieldTakes(const QString& editName, const QString& text) {
    if (text.size() > PageTexts::MaxLength(editName) || text.contains(Backspace))
        return false;
    const KeyPressFilter filter = KeyFilterOf(editName);
    return !filter || std::all_of(text.begin(), text.end(), filter);
}
