#pragma once

#include <QChar>
#include <QString>

// The characters four fields let through when typed; a discarded key does nothing. Only typed
// characters pass these filters: keys without text (arrows, Delete) and pasted text do not, and the
// length limit is the field's own (PageTexts::MaxLength).
constexpr QChar Backspace{8};

bool Edit1KeyPress(QChar key);  // owner phone: digits, "+", backspace
bool Edit2KeyPress(QChar key);  // PIN: digits, backspace
bool Edit6KeyPress(QChar key);  // zone diameter: digits, backspace
bool Edit8KeyPress(QChar key);  // server port: digits, backspace

using KeyPressFilter = bool (*)(QChar);
// The filter of a field ("Edit1"); nothing for a field that takes every character.
KeyPressFilter KeyFilterOf(const QString& editName);

// True when the field could come to hold the text by typing: within its length limit and every
// character let through by its filter.
bool FieldTakes(const QString& editName, const QString& text);
