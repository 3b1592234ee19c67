#include "link/PortNameOrder.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

// The name without its trailing number, and the number (-1 when there is none).
std::pair<QString, qint64> Split(const QString& name) {
    static const QRegularExpression trailingNumber(QStringLiteral("^(.*?)(\\d+)$"));
    const QRegularExpressionMatch match = trailingNumber.match(name);
    if (!match.hasMatch())
        return {name, -1};
    return {match.captured(1), match.captured(2).left(18).toLongLong()};
}

}  // namespace

void SortPortNames(QStringList& names) {
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return Split(a) < Split(b); });
}
