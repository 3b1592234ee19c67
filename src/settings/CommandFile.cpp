#include "settings/CommandFile.h"

#include "settings/SaveFile.h"

namespace CommandFile {

using namespace Qt::Literals::StringLiterals;

QStringList Items() {
    return {u"Включить  режим \"ПОИСК\""_s, u"Включить  режим \"ТЕСТ\""_s, u"Включить  режим \"СУТОЧНЫЙ\""_s};
}

std::optional<Mode> ModeFromName(const QString& name) {
    if (name == u"search"_s)
        return Mode::Search;
    if (name == u"test"_s)
        return Mode::Test;
    if (name == u"daily"_s)
        return Mode::Daily;
    return std::nullopt;
}

QByteArray Bytes(int itemIndex) {
    QByteArray bytes(Size, '\0');
    bytes[0] = Kind;
    bytes[1] = 1;
    bytes[2] = static_cast<char>(itemIndex + 1);
    return bytes;
}

FileOutcome Save(const QString& path, int itemIndex) { return SaveWholeFile(path, Bytes(itemIndex)); }

}  // namespace CommandFile
