#include "settings/ui/Unit2.h"

#include "app/WindowPlacement.h"
#include "app/AppFonts.h"
#include "app/ShellColours.h"
#include "app/UserPrompts.h"
#include "settings/CommandFile.h"
#include "settings/FileNames.h"
#include "settings/ui/PagesBinding.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("Команда (WAIALON)"));
    setFont(AppFonts::MsSansSerif8());
    ShellColours::SetBackground(this, Qt::white);
    setFixedSize(385, 98);

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->addItems(CommandFile::Items());
    ComboBox1->setCurrentIndex(0);

    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    SpeedButton1->setIconSize(QSize(32, 32));
    SpeedButton1->setFixedSize(46, 46);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });

    auto* row = new QHBoxLayout(this);
    row->addWidget(ComboBox1, 1);
    row->addWidget(SpeedButton1);
}

void TForm2::ShowOver(const QWidget* over) {
    if (!isVisible())
        CentreOver(this, over);
    show();
    raise();
    activateWindow();
}

void TForm2::SpeedButton1Click() {
    const QString chosen = Prompts().SaveFileName(QString::fromLatin1(CommandFile::DefaultName),
                                                  QStringLiteral("Команда WIALON (*.cfg)"));
    if (!chosen.isEmpty())
        SaveCommandAs(chosen);
}

void TForm2::SaveCommandAs(const QString& chosenName) {
    const QString path = FileNames::WithExtension(chosenName, QString::fromLatin1(FileNames::SettingsExtension));
    const FileOutcome outcome = CommandFile::Save(path, TypedListIndex(ComboBox1));
    if (!outcome) {
        Prompts().Message(QMessageBox::NoIcon, outcome.caption, outcome.message);
        return;
    }
    hide();
}
