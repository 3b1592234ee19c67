#include "app/Unit1.h"

#include "app/AppFonts.h"
#include "app/JobRegistry.h"
#include "app/ExitLabel.h"
#include "app/HeaderPanel.h"
#include "app/NavigationLabel.h"
#include "app/PortPanel.h"
#include "app/ShellColours.h"
#include "app/ToolPanel.h"
#include "app/Unit6.h"
#include "app/UserPrompts.h"
#include "app/WindowPageQuestions.h"
#include "firmware/McUpdateThread.h"
#include "firmware/ui/FirmwareGroup.h"
#include "settings/FileNames.h"
#include "settings/FillPages.h"
#include "settings/PackPages.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsFile.h"
#include "settings/ui/JustifyMemo.h"
#include "settings/ui/KeyFilter.h"
#include "settings/ui/PagesBinding.h"
#include "settings/ui/SettingsSheets.h"
#include "settings/ui/SummaryPage.h"
#include "settings/ui/Unit2.h"
#include "settings/ui/Unit3.h"
#include "service/ui/Unit4.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QToolButton>

namespace {

constexpr int ClientWidth = 748;
constexpr int ClientHeight = 576;

// The navigation entries top to bottom: the frame each sits in and its caption.
struct Entry {
    const char* frame;
    const char* caption;
};
const Entry Entries[TForm1::EntryCount] = {
    {"Panel2", "ТЕЛЕФОН ВЛАДЕЛЬЦА\nИ PIN-код"},
    {"Panel1", "ОСНОВНЫЕ\nНАСТРОЙКИ"},
    {"Panel3", "ЧАСТОТА ВЫХОДА\nНА СВЯЗЬ"},
    {"Panel6", "ОХРАНА ПО ДАТЧИКУ\nДВИЖЕНИЯ"},
    {"Panel8", "ДОПОЛНИТЕЛЬНЫЕ НАСТРОЙКИ\nДАТЧИКА ДВИЖЕНИЯ"},
    {"Panel7", "КОНТРОЛЬ ВЫХОДА\n ИЗ ЗОНЫ ОХРАНЫ"},
    {"Panel9", "КОНТРОЛЬ ЛИЦЕВОГО\nСЧЕТА"},
    {"Panel10", "ОБНОВЛЕНИЕ ПРОГРАММНОГО\nОБЕСПЕЧЕНИЯ"},
    {"Panel11", ""},
};

const char* const JustifiedMemos[] = {"Memo1",  "Memo2",  "Memo6",  "Memo7", "Memo14",
                                      "Memo17", "Memo20", "Memo22", "Memo24"};

QString SettingsFilter() { return QStringLiteral("Файл конфигурации (*.cfg)"); }
QString SettingsExtension() { return QString::fromLatin1(FileNames::SettingsExtension); }

}  // namespace

TForm1::TForm1(JobRegistry& jobs)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      jobs_(jobs), transferReporter_(*this, jobs.Gate()), firmwareReporter_(*this, jobs.Gate()) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Конфигуратор"));
    setFont(AppFonts::MsSansSerif8());
    setFixedSize(ClientWidth, ClientHeight);
    ShellColours::SetBackground(this, Qt::white);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect placed = geometry();
        placed.moveCenter(screen->availableGeometry().center());
        move(placed.topLeft());
    }

    BuildHeader();
    BuildNavigation();
    Panel17 = new ToolPanel(this);
    Panel17->setGeometry(233, 68, 515, 50);
    Panel4 = new PortPanel(this);
    Panel4->setGeometry(1, 446, 232, 131);
    BuildPages();
    ConnectToolBar();
    AddShortcuts();
    FormCreate();
}

TForm1::~TForm1() { jobs_.StopAll(); }

// The main window's close ends the program, whichever other windows are open.
void TForm1::closeEvent(QCloseEvent* event) {
    event->accept();
    QCoreApplication::quit();
}

void TForm1::BuildHeader() {
    Panel5 = new HeaderPanel(this);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setGeometry(0, -2, ClientWidth, 68);
    ShellColours::SetBackground(Panel5, ShellColours::Light());

    Label34 = new QLabel(QStringLiteral("Конфигуратор КОВА Т300 / Т310"), Panel5);
    Label34->setObjectName(QStringLiteral("Label34"));
    Label34->setFont(AppFonts::Arial(16, true));
    Label34->adjustSize();
    Label34->move(16, (68 - Label34->height()) / 2);

    Label35 = new QLabel(QStringLiteral("Версия 1.0"), Panel5);
    Label35->setObjectName(QStringLiteral("Label35"));
    Label35->adjustSize();
    Label35->move(ClientWidth - Label35->width() - 16, 68 - Label35->height() - 8);

    Label21 = new ExitLabel(Panel5);
    Label21->adjustSize();
    Label21->move(ClientWidth - Label21->width() - 12, 6);
    Label21->setVisible(false);

    for (QLabel* label : {Label34, Label35})
        ShellColours::SetTextColour(label, ShellColours::DarkGrey());
}

void TForm1::BuildNavigation() {
    for (int i = 0; i < EntryCount; ++i) {
        auto* frame = new QFrame(this);
        frame->setObjectName(QString::fromLatin1(Entries[i].frame));
        frame->setGeometry(0, 65 + 42 * i, 233, i == EntryCount - 1 ? 45 : 42);
        ShellColours::SetBackground(frame, ShellColours::FrameGrey());

        auto* label = new NavigationLabel(frame);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        label->setGeometry(frame->rect().adjusted(1, 1, -1, -1));
        label->SetColours(ShellColours::SteelBlue(), ShellColours::Light());
        const int entry = i + 1;
        connect(label, &NavigationLabel::clicked, this, [this, entry] { LabelClick(entry); });
        navigation_[static_cast<std::size_t>(i)] = label;
    }
    Label(EntryCount)->setEnabled(false);
}

void TForm1::BuildPages() {
    PageControl1 = new QStackedWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    // The tool bar sits where a tab row would be: the pages begin below it.
    PageControl1->setGeometry(233, 118, 515, ClientHeight - 118);
    GroupBox18 = new FirmwareGroup;
    TabSheet9 = new SummaryPage;
    for (QWidget* page : {BuildOwnerPage(), BuildMainSettingsPage(), BuildWakePage(), BuildMotionGuardPage(),
                          BuildMotionSensorPage(), BuildGuardZonePage(), BuildBalancePage(),
                          BuildDevicePage(GroupBox18), static_cast<QWidget*>(TabSheet9)})
        PageControl1->addWidget(page);
    InstallKeyFilters(PageControl1);

    // Choosing how the balance code is found also enables or disables its field.
    for (const bool explicitCode : {false, true}) {
        const QString name = explicitCode ? QStringLiteral("RadioButton7") : QStringLiteral("RadioButton6");
        connect(PageControl1->findChild<QRadioButton*>(name), &QRadioButton::clicked, this, [this, explicitCode] {
            SettingsPages record = TakeFromPages(PageControl1);
            ChooseBalanceCode(record, explicitCode);
            ShowOnPages(record, PageControl1);
        });
    }
}

void TForm1::ConnectToolBar() {
    const std::pair<QToolButton*, void (TForm1::*)()> handlers[] = {
        {Panel17->SpeedButton3, &TForm1::SpeedButton3Click}, {Panel17->SpeedButton4, &TForm1::SpeedButton4Click},
        {Panel17->SpeedButton5, &TForm1::SpeedButton5Click}, {Panel17->SpeedButton7, &TForm1::SpeedButton7Click},
        {Panel17->SpeedButton1, &TForm1::SpeedButton1Click}, {Panel17->SpeedButton2, &TForm1::SpeedButton2Click},
        {Panel17->SpeedButton8, &TForm1::SpeedButton8Click}, {GroupBox18->SpeedButton6, &TForm1::SpeedButton6Click},
    };
    for (const auto& [button, handler] : handlers)
        connect(button, &QToolButton::clicked, this, [this, handler = handler] { (this->*handler)(); });
}

void TForm1::AddShortcuts() {
    const std::pair<const char*, void (TForm1::*)()> keys[] = {
        {"Ctrl+O", &TForm1::SpeedButton1Click},
        {"Ctrl+S", &TForm1::SpeedButton2Click},
        {"Ctrl+Shift+W", &TForm1::SpeedButton7Click},
        {"Ctrl+Shift+T", &TForm1::ShowTraceWindow},
        {"Ctrl+Shift+E", &TForm1::SpeedButton8Click},
    };
    for (const auto& [key, handler] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(key)), this);
        connect(shortcut, &QShortcut::activated, this, [this, handler = handler] { (this->*handler)(); });
    }
}

void TForm1::FormCreate() {
    RWSettings = nullptr;
    MCUpdate = nullptr;
    PageControl1->setCurrentIndex(0);
    for (int entry = 1; entry <= EntryCount; ++entry)
        Label(entry)->setText(QString::fromUtf8(Entries[entry - 1].caption));
    Label(1)->SetColours(ShellColours::Light(), ShellColours::SteelBlue());
    JustifyHelpTexts();
    Panel4->ProbePorts();
    SpeedButton5Click();
}

void TForm1::JustifyHelpTexts() {
    for (const char* name : JustifiedMemos)
        JustifyMemo(PageControl1->findChild<QPlainTextEdit*>(QString::fromLatin1(name)));
}

void TForm1::SetCompanions(TForm2* wialon, TForm3* progress, TForm4* engineering, TForm6* trace) {
    wialonWindow_ = wialon;
    progressWindow_ = progress;
    passwordPrompt_ = engineering;
    traceWindow_ = trace;
}

void TForm1::LabelClick(int entry) {
    Label(entry)->SetColours(ShellColours::Light(), ShellColours::SteelBlue());
    SelectedItem = entry;
    ResetNavigation();
    PageControl1->setCurrentIndex(entry - 1);
}

void TForm1::ResetNavigation() {
    for (int entry = 1; entry <= EntryCount; ++entry)
        if (entry != SelectedItem)
            Label(entry)->SetColours(ShellColours::SteelBlue(), ShellColours::Light());
}

void TForm1::FillPages() {
    SettingsPages record = TakeFromPages(PageControl1);
    ::FillPages(Settings, record);
    ShowOnPages(record, PageControl1);
}

bool TForm1::PackPages() {
    WindowPageQuestions questions(*this);
    return ::PackPages(TakeFromPages(PageControl1), Settings, questions).packed;
}

void TForm1::FillSummaryGrid() { TabSheet9->ShowRows(::FillSummaryGrid(Settings, TabSheet9->Rows())); }

void TForm1::ShowReadSettings(const DeviceSettings& block) {
    Settings = block;
    FillPages();
    FillSummaryGrid();
}

// One device job at a time: a press while any job holds the device is ignored, as a second press of
// a running job's own button always was. The NMEA relay gives way.
bool TForm1::DeviceFree() {
    jobs_.MakeWay();
    return !DeviceJobLease::Busy();
}

void TForm1::SpeedButton4Click() {
    if (RWSettings || !DeviceFree())
        return;
    StartSettingsTransfer(RWSettingsThread::ReadMode);
}

void TForm1::SpeedButton3Click() {
    if (RWSettings || !DeviceFree())
        return;
    if (!PackPages())
        return;
    StartSettingsTransfer(RWSettingsThread::WriteMode);
}

void TForm1::StartSettingsTransfer(RWSettingsThread::Mode mode) {
    DeviceJobLease lease = DeviceJobLease::TryTake();
    if (!lease.Held())
        return;
    RWSettings = new RWSettingsThread(mode, Link, Panel4->Choice(), Settings, transferReporter_, std::move(lease));
    jobs_.Start(RWSettings, {[this] { Link.Close(); },
                             [this] {
                                 RWSettings = nullptr;
                                 if (progressWindow_)
                                     progressWindow_->hide();
                             }});
}

void TForm1::SpeedButton5Click() {
    SettingsPages record = TakeFromPages(PageControl1);
    RestoreDefaults(Settings, record);
    ShowOnPages(record, PageControl1);
}

void TForm1::SpeedButton1Click() {
    const QString chosen = Prompts().OpenFileName(SettingsFilter());
    if (chosen.isEmpty() || !FileNames::ContainsExtension(chosen, SettingsExtension()))
        return;
    const FileOutcome outcome = SettingsFile::Load(chosen, Settings);
    if (!outcome) {
        Prompts().Message(QMessageBox::NoIcon, outcome.caption, outcome.message);
        return;
    }
    FillPages();
    FillSummaryGrid();
}

void TForm1::SpeedButton2Click() {
    if (!PackPages())
        return;
    const QString chosen = Prompts().SaveFileName(QStringLiteral("config.cfg"), SettingsFilter());
    if (chosen.isEmpty())
        return;
    const FileOutcome outcome = SettingsFile::Save(Settings, FileNames::WithExtension(chosen, SettingsExtension()));
    if (!outcome)
        Prompts().Message(QMessageBox::NoIcon, outcome.caption, outcome.message);
}

void TForm1::SpeedButton7Click() {
    if (wialonWindow_)
        wialonWindow_->ShowOver(this);
}

void TForm1::SpeedButton8Click() {
    if (passwordPrompt_)
        passwordPrompt_->Open(this);
}

void TForm1::ShowTraceWindow() {
    if (!traceWindow_)
        return;
    traceWindow_->show();
    traceWindow_->raise();
}

void TForm1::SpeedButton6Click() {
    if (MCUpdate || !DeviceFree())
        return;
    const QString chosen = Prompts().OpenFileName(QStringLiteral("Файл прошивки (*.fmw)"));
    if (!chosen.isEmpty())
        StartFirmwareUpdate(chosen);
}

void TForm1::StartFirmwareUpdate(const QString& chosenName) {
    if (MCUpdate)
        return;
    DeviceJobLease lease = DeviceJobLease::TryTake();
    if (!lease.Held())
        return;
    MCUpdate = new MCUpdateThread(Link, Panel4->Choice(), FirmwareFileName(chosenName), firmwareReporter_,
                                  std::move(lease));
    jobs_.Start(MCUpdate, {[this] { Link.Close(); }, [this] { MCUpdate = nullptr; }});
}
