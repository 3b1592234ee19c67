#include "settings/KeyFilters.h"

namespace {
bool DigitOrBackspace(QChar key) { return (key >= u'0' && key <= u'9') || key == Backspace; }
}  // namespace

bool Edit1KeyPress(QChar key) { return DigitOrBackspace(key) || key == u'+'; }
bool Edit2KeyPress(QChar key) { return DigitOrBackspace(key); }
bool Edit6KeyPress(QChar key) { return DigitOrBackspace(key); }
bool Edit8KeyPress(QChar key) { return DigitOrBackspace(key); }
