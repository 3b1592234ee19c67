#pragma once

#include <QString>
#include <QStringList>

// The fixed texts of the settings pages, keyed by control name, for the window to show.
namespace PageTexts {

// The items of a list ("ComboBox1" ... "ComboBox19"); empty for a name that is no list of the pages.
QStringList ComboItems(const QString& comboName);
// The lines of an explanatory text ("Memo1" ...); a trailing blank belongs to its line.
QStringList MemoLines(const QString& memoName);
// The caption of a group box, label, check box or radio button of the pages.
QString Caption(const QString& controlName);
// The longest text a field takes: 4 for the PIN, 3 for the zone diameter, 31 (a slot) for the others.
int MaxLength(const QString& editName);
// The name the program uses for a field in its messages (its label, without the colon).
QString FieldName(const QString& editName);

}  // namespace PageTexts
