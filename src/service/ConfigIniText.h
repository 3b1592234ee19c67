#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// The text of config.ini: one section "config" with lines "Key=Value". Keys and section names match
// without regard to case; values are plain text, kept exactly. Lines of any other kind are kept as they
// are, byte for byte, when a value is changed.
enum class ConfigIniEncoding { Utf8, Windows1251 };

// Windows-1251 on Windows, where the program has always written its config.ini so; UTF-8 elsewhere.
constexpr ConfigIniEncoding PlatformConfigIniEncoding() {
#if defined(Q_OS_WIN)
    return ConfigIniEncoding::Windows1251;
#else
    return ConfigIniEncoding::Utf8;
#endif
}

namespace ConfigIniText {
// Values are read up to this many characters.
constexpr qsizetype MaxValueLength = 2047;

// The value of key in the first section "config" that has it; empty text when there is none.
QString Value(QByteArrayView contents, const QString& key, ConfigIniEncoding encoding);

// The contents with key set to value: its line replaced, or added to the section "config" (which is
// added when missing). Empty when the pair cannot be stored as one line: a key that is empty, has
// blanks at either end or holds '=', a line break or an opening '[', ';' or '#'; a value with a line
// break; or characters the encoding cannot carry.
std::optional<QByteArray> WithValue(QByteArrayView contents, const QString& key, const QString& value,
                                    ConfigIniEncoding encoding);
}  // namespace ConfigIniText
