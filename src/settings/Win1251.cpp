#include "settings/Win1251.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Win1251 {

namespace {
constexpr const char* CodePage = "windows-1251";
}

QString Decode(QByteArrayView bytes) {
    QStringDecoder decoder(CodePage);
    return decoder.decode(bytes);
}

QByteArray Encode(const QString& text) {
    QStringEncoder encoder(CodePage);
    return encoder.encode(text);
}

QString Unencodable(const QString& text) {
    QString missing;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length;
        QStringEncoder encoder(CodePage, QStringConverter::Flag::Stateless);
        const QByteArray encoded = encoder.encode(character);
        if ((encoder.hasError() || Decode(encoded) != character) && !missing.contains(character))
            missing += character;
    }
    return missing;
}

}  // namespace Win1251
