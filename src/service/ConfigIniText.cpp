#include "service/ConfigIniText.h"

#include "settings/Win1251.h"

namespace ConfigIniText {

namespace {

using namespace Qt::Literals::StringLiterals;

constexpr QByteArrayView Utf8Bom = "\xEF\xBB\xBF";

QString Decode(QByteArrayView bytes, ConfigIniEncoding encoding) {
    return encoding == ConfigIniEncoding::Windows1251 ? Win1251::Decode(bytes) : QString::fromUtf8(bytes);
}

QByteArray Encode(const QString& text, ConfigIniEncoding encoding) {
    return encoding == ConfigIniEncoding::Windows1251 ? Win1251::Encode(text) : text.toUtf8();
}

// One line of the file: [begin, end) without its line break; next is where the following line starts.
struct Line {
    qsizetype begin = 0;
    qsizetype end = 0;
    qsizetype next = 0;
};

Line LineAt(QByteArrayView contents, qsizetype begin) {
    const qsizetype feed = contents.indexOf('\n', begin);
    const qsizetype next = feed < 0 ? contents.size() : feed + 1;
    qsizetype end = feed < 0 ? contents.size() : feed;
    if (end > begin && contents[end - 1] == '\r')
        --end;
    return {begin, end, next};
}

// Where the key's line is, and where a new key line would go: after the last line that is not blank
// in the first section "config" (none when the file has no such section).
struct Layout {
    std::optional<Line> keyLine;
    qsizetype valueBegin = 0;
    std::optional<Line> lastOfSection;
};

bool IsSectionHeader(QByteArrayView trimmed) { return trimmed.startsWith('[') && trimmed.contains(']'); }

bool IsConfigHeader(QByteArrayView trimmed, ConfigIniEncoding encoding) {
    const QByteArrayView name = trimmed.sliced(1, trimmed.indexOf(']') - 1).trimmed();
    return Decode(name, encoding).compare(u"config"_s, Qt::CaseInsensitive) == 0;
}

bool IsComment(QByteArrayView trimmed) { return trimmed.startsWith(';') || trimmed.startsWith('#'); }

Layout Find(QByteArrayView contents, const QString& key, ConfigIniEncoding encoding) {
    Layout layout;
    bool inConfig = false;
    bool firstConfigSeen = false;
    bool inFirstConfig = false;
    const qsizetype start = encoding == ConfigIniEncoding::Utf8 && contents.startsWith(Utf8Bom) ? Utf8Bom.size() : 0;
    for (qsizetype at = start; at < contents.size();) {
        const Line line = LineAt(contents, at);
        at = line.next;
        const QByteArrayView text = contents.sliced(line.begin, line.end - line.begin);
        const QByteArrayView trimmed = text.trimmed();
        if (IsSectionHeader(trimmed)) {
            inConfig = IsConfigHeader(trimmed, encoding);
            inFirstConfig = inConfig && !firstConfigSeen;
            firstConfigSeen |= inConfig;
            if (inFirstConfig)
                layout.lastOfSection = line;
            continue;
        }
        if (!inConfig || trimmed.isEmpty())
            continue;
        if (inFirstConfig)
            layout.lastOfSection = line;
        const qsizetype equals = text.indexOf('=');
        if (IsComment(trimmed) || equals < 0 || layout.keyLine)
            continue;
        if (Decode(text.first(equals).trimmed(), encoding).compare(key, Qt::CaseInsensitive) == 0) {
            layout.keyLine = line;
            layout.valueBegin = line.begin + equals + 1;
        }
    }
    return layout;
}

bool HasLineBreak(const QString& text) { return text.contains(u'\n') || text.contains(u'\r'); }

bool IsStorableKey(const QString& key) {
    return !key.isEmpty() && key == key.trimmed() && !key.contains(u'=') && !HasLineBreak(key) &&
           !key.startsWith(u'[') && !key.startsWith(u';') && !key.startsWith(u'#');
}

bool Carries(const QString& text, ConfigIniEncoding encoding) {
    return Decode(Encode(text, encoding), encoding) == text;
}

QByteArray LineBreakOf(QByteArrayView contents) {
#if defined(Q_OS_WIN)
    const QByteArray native = "\r\n";
#else
    const QByteArray native = "\n";
#endif
    return contents.contains("\r\n") ? QByteArray("\r\n") : contents.contains('\n') ? QByteArray("\n") : native;
}

}  // namespace

QString Value(QByteArrayView contents, const QString& key, ConfigIniEncoding encoding) {
    const Layout layout = Find(contents, key, encoding);
    if (!layout.keyLine)
        return {};
    QString value = Decode(contents.sliced(layout.valueBegin, layout.keyLine->end - layout.valueBegin), encoding);
    value.truncate(MaxValueLength);
    if (!value.isEmpty() && value.back().isHighSurrogate())
        value.chop(1);
    return value;
}

std::optional<QByteArray> WithValue(QByteArrayView contents, const QString& key, const QString& value,
                                    ConfigIniEncoding encoding) {
    if (!IsStorableKey(key) || HasLineBreak(value) || !Carries(key, encoding) || !Carries(value, encoding))
        return std::nullopt;
    const QByteArray keyLine = Encode(key, encoding) + '=' + Encode(value, encoding);
    const QByteArray lineBreak = LineBreakOf(contents);
    const Layout layout = Find(contents, key, encoding);
    QByteArray result = contents.toByteArray();
    if (layout.keyLine) {
        result.replace(layout.keyLine->begin, layout.keyLine->end - layout.keyLine->begin, keyLine);
    } else if (layout.lastOfSection) {
        const Line& last = *layout.lastOfSection;
        const bool ended = contents.at(last.next - 1) == '\n';  // not a carriage return alone
        result.insert(last.next, (ended ? QByteArray() : lineBreak) + keyLine + (ended ? lineBreak : QByteArray()));
    } else {
        if (!result.isEmpty() && !result.endsWith('\n'))
            result += lineBreak;
        result += "[config]" + lineBreak + keyLine + lineBreak;
    }
    return result;
}

}  // namespace ConfigIniText
