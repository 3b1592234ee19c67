#include "app/AppWindows.h"

#include "app/PortPanel.h"
#include "app/Unit1.h"
#include "app/Unit6.h"
#include "service/ui/Unit4.h"
#include "service/ui/Unit5.h"
#include "settings/ui/Unit2.h"
#include "settings/ui/Unit3.h"

AppWindows::AppWindows() {
    Form1 = std::make_unique<TForm1>(Jobs);
    Form2 = std::make_unique<TForm2>();
    Form3 = std::make_unique<TForm3>();
    TForm1* main = Form1.get();
    Form5 = std::make_unique<TForm5>(Jobs, main->Link, [main] { return main->Panel4->Choice(); });
    Form4 = std::make_unique<TForm4>(Form5.get());
    Form6 = std::make_unique<TForm6>();
    Form1->SetCompanions(Form2.get(), Form3.get(), Form4.get(), Form6.get());
}

AppWindows::~AppWindows() {
    // No job may outlive the windows it reports to, nor open the port once they are gone. Stopping a
    // job closes the link, except where the job has the device to set right first (the module line
    // back to 9600 after a module update is stopped); it closes the link itself afterwards.
    Form1->Link.Retire();
    Jobs.StopAll();
    Form1->Link.Close();
    Form6.reset();
    Form4.reset();
    Form5.reset();
    Form3.reset();
    Form2.reset();
    Form1.reset();
}
