#include "app/AppWindows.h"

#include "app/Unit1.h"
#include "app/Unit6.h"
#include "settings/ui/Unit2.h"
#include "settings/ui/Unit3.h"

namespace {

std::unique_ptr<QWidget> Placeholder(const QString& name) {
    auto window = std::make_unique<QWidget>(nullptr, Qt::Window);
    window->setObjectName(name);
    window->setWindowTitle(QStringLiteral("Конфигуратор"));
    window->resize(320, 120);
    return window;
}

}  // namespace

AppWindows::AppWindows() {
    Form1 = std::make_unique<TForm1>();
    Form2 = std::make_unique<TForm2>();
    Form3 = std::make_unique<TForm3>();
    Form4 = Placeholder(QStringLiteral("TForm4"));
    Form5 = Placeholder(QStringLiteral("TForm5"));
    Form6 = std::make_unique<TForm6>();
    Form1->SetCompanions(Form2.get(), Form3.get(), Form4.get(), Form6.get());
}

AppWindows::~AppWindows() {
    // No job may outlive the windows it reports to.
    Form1->StopJobs();
    Form6.reset();
    Form5.reset();
    Form4.reset();
    Form3.reset();
    Form2.reset();
    Form1.reset();
}
