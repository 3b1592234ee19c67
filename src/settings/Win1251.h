#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The device and the settings files keep their texts in the Windows-1251 code page; the program works
// with QString. These convert at that boundary.
namespace Win1251 {
QString Decode(QByteArrayView bytes);
// Characters the code page has no byte for come out as a substitute; check with Unencodable first.
QByteArray Encode(const QString& text);
// The characters of text that Windows-1251 cannot carry, each once, in order of appearance.
QString Unencodable(const QString& text);
inline bool CanEncode(const QString& text) { return Unencodable(text).isEmpty(); }
}  // namespace Win1251
