#include "service/ModemText.h"

#include "settings/Win1251.h"

namespace {

bool BreaksTheLine(QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F || c == QLatin1Char('"'); }

std::optional<QByteArray> LineBytes(const QString& text, const QString& alsoRefused) {
    for (const QChar c : text)
        if (BreaksTheLine(c) || alsoRefused.contains(c))
            return std::nullopt;
    if (!Win1251::CanEncode(text))
        return std::nullopt;
    return Win1251::Encode(text);
}

// The name as a log line can show it: a control character would break the line.
QString Shown(QString text) {
    for (QChar& c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char('?');
    return text;
}

}  // namespace

std::optional<QByteArray> PhoneNumberBytes(const QString& number) { return LineBytes(number, {}); }

std::optional<QByteArray> ModemFileNameBytes(const QString& name) { return LineBytes(name, QStringLiteral(",")); }

QString NoPhoneNumberText() { return QStringLiteral("Нет номера телефона. Передача SMS отменена"); }

QString PhoneNumberRefusedText() {
    return QStringLiteral("Номер телефона содержит символ, который нельзя передать модему. Операция отменена");
}

QString FileNameRefusedText(const QString& name) {
    return QStringLiteral("Имя файла %1 содержит символ, который нельзя передать модему. Запись файлов отменена")
        .arg(Shown(name));
}
