#pragma once

#include <QChar>

// The characters four fields let through when typed; a discarded key does nothing. Only typed
// characters pass these filters: keys without text (arrows, Delete) and pasted text do not, and the
// length limit is the field's own (PageTexts::MaxLength).
constexpr QChar Backspace{8};

bool Edit1KeyPress(QChar key);  // owner phone: digits, "+", backspace
bool Edit2KeyPress(QChar key);  // PIN: digits, backspace
bool Edit6KeyPress(QChar key);  // zone diameter: digits, backspace
bool Edit8KeyPress(QChar key);  // server port: digits, backspace
