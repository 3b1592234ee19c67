#pragma once

#include <QString>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <initializer_list>

// The settings pages' controls, each made under its own name with its fixed texts (captions, list
// items, explanatory lines, length limits) from the settings texts.
namespace PageControls {

// The width of the explanatory texts inside a group box of a page.
constexpr int MemoWidth = 470;

QGroupBox* Group(const QString& name, QWidget* parent);
QLabel* Label(const QString& name, QWidget* parent);
QLabel* Colon(QWidget* parent);
// A text field: typing stops at its length limit.
QLineEdit* Edit(const QString& name, QWidget* parent);
// Shows a text in a field whole, even one longer than the field's limit (a tracker's PIN of five
// digits), so that the checks see what the tracker holds rather than a cut copy; typing still cannot
// make it longer.
void ShowWholeText(QLineEdit* edit, const QString& text);
QCheckBox* Check(const QString& name, QWidget* parent);
QRadioButton* Radio(const QString& name, QWidget* parent);
// A list whose text cannot be typed.
QComboBox* PickList(const QString& name, QWidget* parent);
// A list whose text can also be typed.
QComboBox* TypedList(const QString& name, QWidget* parent);
// A borderless explanatory text as wide as its widest line (at most `width`) and as tall as its lines.
// The window never reads these texts; most of them cannot be edited either.
QPlainTextEdit* Memo(const QString& name, int width, QWidget* parent, bool readOnly = true);
QPlainTextEdit* Memo(const QString& name, const QStringList& lines, int width, QWidget* parent, bool readOnly);

// Controls side by side, left-aligned.
QHBoxLayout* Row(std::initializer_list<QWidget*> controls);
// A page of the settings, its group boxes stacked from the top.
QWidget* Sheet(const QString& name);

}  // namespace PageControls
