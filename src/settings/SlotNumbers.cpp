#include "settings/SlotNumbers.h"

#include <cctype>
#include <limits>

namespace SlotNumbers {

namespace {

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads an optional sign and at most maxChars characters of sign and digits from text[pos], the way a
// scanf "%d" conversion with a field width does. Leading blanks are skipped first.
std::optional<int> ReadNumber(QByteArrayView text, qsizetype& pos, qsizetype maxChars) {
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    qsizetype used = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+') && used < maxChars) {
        negative = text[pos] == '-';
        ++pos;
        ++used;
    }
    long long value = 0;
    bool anyDigit = false;
    constexpr long long Limit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    while (pos < text.size() && IsDigit(text[pos]) && used < maxChars) {
        value = std::min(value * 10 + (text[pos] - '0'), Limit);
        anyDigit = true;
        ++pos;
        ++used;
    }
    if (!anyDigit)
        return std::nullopt;
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max())
        value = std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

int TwoCharNumber(QByteArrayView text, qsizetype from) {
    if (from >= text.size())
        return 0;
    return Leading(text.sliced(from, std::min<qsizetype>(2, text.size() - from)));
}

}  // namespace

int Leading(QByteArrayView text) {
    qsizetype pos = 0;
    return ReadNumber(text, pos, text.size()).value_or(0);
}

std::array<int, 2> SessionTime(QByteArrayView text) { return {TwoCharNumber(text, 0), TwoCharNumber(text, 2)}; }

std::array<int, 8> GuardIntervals(QByteArrayView text) {
    std::array<int, 8> numbers{};
    for (int i = 0; i < 8; ++i)
        numbers[static_cast<std::size_t>(i)] = TwoCharNumber(text, 2 * i);
    return numbers;
}

GuardZoneValue GuardZone(QByteArrayView text) {
    GuardZoneValue zone;
    qsizetype pos = 0;
    const std::optional<int> mode = ReadNumber(text, pos, text.size());
    if (!mode)
        return zone;
    zone.mode = *mode;
    zone.diameter = ReadNumber(text, pos, 3).value_or(0);
    return zone;
}

std::optional<int> WholeInteger(const QString& text) {
    const qsizetype start = (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+')) ? 1 : 0;
    if (start == text.size())
        return std::nullopt;
    for (qsizetype i = start; i < text.size(); ++i)
        if (text[i] < u'0' || text[i] > u'9')
            return std::nullopt;
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

QString NotAnIntegerMessage(const QString& text) {
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

}  // namespace SlotNumbers
