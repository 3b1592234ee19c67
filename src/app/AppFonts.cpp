#include "app/AppFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

QString FirstInstalled(const QStringList& candidates) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : candidates)
        if (installed.contains(family, Qt::CaseInsensitive))
            return family;
    return {};
}

void Substitute(const QString& family, const QStringList& candidates) {
    if (QFontDatabase::families().contains(family, Qt::CaseInsensitive))
        return;
    const QString standIn = FirstInstalled(candidates);
    if (!standIn.isEmpty())
        QFont::insertSubstitution(family, standIn);
}

}  // namespace

namespace AppFonts {

void InstallFontSubstitutes() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                           QStringLiteral("DejaVu Sans"), QStringLiteral("FreeSans")};
    Substitute(QStringLiteral("Arial"), sans);
    Substitute(QStringLiteral("Arial Black"), sans);
    Substitute(QStringLiteral("MS Sans Serif"), sans);
}

QFont Arial(int pointSize, bool bold) {
    InstallFontSubstitutes();
    QFont font(QStringLiteral("Arial"), pointSize);
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    return font;
}

QFont ArialBlack(int pointSize) {
    QFont font = Arial(pointSize, true);
    font.setFamily(QStringLiteral("Arial Black"));
    font.setWeight(QFont::Black);
    return font;
}

QFont MsSansSerif8() {
    InstallFontSubstitutes();
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace AppFonts
