#pragma once

#include <QFont>

// The window's fonts by the names the layout was drawn with. Where a face is not installed, the
// closest installed sans face stands in for it (registered once by InstallFontSubstitutes).
namespace AppFonts {
void InstallFontSubstitutes();
QFont Arial(int pointSize, bool bold);
QFont ArialBlack(int pointSize);
QFont MsSansSerif8();  // the default font of the windows and the explanatory texts
}  // namespace AppFonts
