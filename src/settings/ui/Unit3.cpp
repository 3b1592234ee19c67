#include "settings/ui/Unit3.h"

#include "app/WindowPlacement.h"
#include "app/ShellColours.h"

#include <QProgressBar>

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("TForm3"));
    ShellColours::SetBackground(this, Qt::white);
    resize(263, 133);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(24, 40, 201, 17);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
}

void TForm3::ShowProgressWindow(const QString& title, const QWidget* over) {
    setWindowTitle(title);
    if (isVisible())
        return;
    CentreOver(this, over);
    show();
}

void TForm3::ShowProgress(int done, int total) {
    ProgressBar1->setMaximum(total);
    ProgressBar1->setValue(done);
}
