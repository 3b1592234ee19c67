#include "settings/ui/PageControls.h"

#include "app/AppFonts.h"
#include "settings/PageTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <algorithm>

namespace PageControls {

namespace {

constexpr int TextBoxSlack = 16;  // the margins of a text box and the 12 pixels spreading leaves free

template <typename Control>
Control* Named(Control* control, const QString& name) {
    control->setObjectName(name);
    return control;
}

QComboBox* List(const QString& name, bool typed, QWidget* parent) {
    auto* list = Named(new QComboBox(parent), name);
    list->setEditable(typed);
    if (typed)
        list->setInsertPolicy(QComboBox::NoInsert);
    list->addItems(PageTexts::ComboItems(name));
    list->setMaxVisibleItems(16);
    return list;
}

}  // namespace

QGroupBox* Group(const QString& name, QWidget* parent) {
    return Named(new QGroupBox(PageTexts::Caption(name), parent), name);
}

QLabel* Label(const QString& name, QWidget* parent) {
    return Named(new QLabel(PageTexts::Caption(name), parent), name);
}

QLabel* Colon(QWidget* parent) { return new QLabel(QStringLiteral(":"), parent); }

QLineEdit* Edit(const QString& name, QWidget* parent) {
    auto* edit = Named(new QLineEdit(parent), name);
    const int limit = PageTexts::MaxLength(name);
    edit->setMaxLength(limit);
    // A longer text shown whole lowers the limit as it is shortened, down to the field's own.
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, limit](const QString& text) {
        const int wanted = std::max(limit, static_cast<int>(text.size()));
        if (edit->maxLength() == wanted)
            return;
        const int cursor = edit->cursorPosition();
        edit->setMaxLength(wanted);
        edit->setCursorPosition(cursor);
    });
    return edit;
}

void ShowWholeText(QLineEdit* edit, const QString& text) {
    edit->setMaxLength(std::max(PageTexts::MaxLength(edit->objectName()), static_cast<int>(text.size())));
    edit->setText(text);
}

QCheckBox* Check(const QString& name, QWidget* parent) {
    return Named(new QCheckBox(PageTexts::Caption(name), parent), name);
}

QRadioButton* Radio(const QString& name, QWidget* parent) {
    return Named(new QRadioButton(PageTexts::Caption(name), parent), name);
}

QComboBox* PickList(const QString& name, QWidget* parent) { return List(name, false, parent); }

QComboBox* TypedList(const QString& name, QWidget* parent) { return List(name, true, parent); }

QPlainTextEdit* Memo(const QString& name, int width, QWidget* parent, bool readOnly) {
    return Memo(name, PageTexts::MemoLines(name), width, parent, readOnly);
}

QPlainTextEdit* Memo(const QString& name, const QStringList& lines, int width, QWidget* parent, bool readOnly) {
    auto* memo = Named(new QPlainTextEdit(parent), name);
    memo->setFont(AppFonts::MsSansSerif8());
    memo->setFrameShape(QFrame::NoFrame);
    memo->setReadOnly(readOnly);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->document()->setDocumentMargin(2);
    memo->setPlainText(lines.join(QLatin1Char('\n')));
    // As wide as its widest line, like the text boxes the texts were written for, so that spreading
    // the words leaves modest gaps.
    const QFontMetrics metrics = memo->fontMetrics();
    int widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    memo->setFixedSize(std::min(width, widest + TextBoxSlack), static_cast<int>(lines.size()) * metrics.lineSpacing() + 6);
    return memo;
}

QHBoxLayout* Row(std::initializer_list<QWidget*> controls) {
    auto* row = new QHBoxLayout;
    for (QWidget* control : controls)
        row->addWidget(control);
    row->addStretch();
    return row;
}

QWidget* Sheet(const QString& name) {
    auto* sheet = new QWidget;
    sheet->setObjectName(name);
    return sheet;
}

}  // namespace PageControls
