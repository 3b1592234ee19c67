#include "service/ui/Unit5.h"

#include "app/AppFonts.h"
#include "app/JobRegistry.h"
#include "app/UserPrompts.h"
#include "firmware/Gpsupdatethread.h"
#include "link/DeviceJobLease.h"
#include "link/SerialLink.h"
#include "link/Timings.h"
#include "service/ConfigIni.h"
#include "service/GnssStatus.h"
#include "service/ModemText.h"
#include "service/Servicethread.h"
#include "service/Shownmeathread.h"
#include "service/VoiceFileList.h"
#include "service/ui/LogAppend.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>

namespace {

template <typename Control>
Control* Named(Control* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

QPushButton* AddButton(QWidget* parent, const char* name, const QString& text, const QRect& place) {
    auto* button = Named(new QPushButton(text, parent), name);
    button->setGeometry(place);
    return button;
}

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, const QPoint& place) {
    auto* label = Named(new QLabel(text, parent), name);
    label->adjustSize();
    label->move(place);
    return label;
}

QLineEdit* AddEdit(QWidget* parent, const char* name, const QRect& place) {
    auto* edit = Named(new QLineEdit(parent), name);
    edit->setGeometry(place);
    return edit;
}

QGroupBox* AddGroup(QWidget* parent, const char* name, const QString& title, const QRect& place) {
    auto* group = Named(new QGroupBox(title, parent), name);
    group->setGeometry(place);
    return group;
}

bool NeedsPhone(ServiceOperation operation) {
    return operation == ServiceOperation::SendImeiBySms || operation == ServiceOperation::TestCall;
}

QString& ConfigFileInUse() {
    static QString path;
    return path;
}

}  // namespace

TForm5::TForm5(JobRegistry& jobs, SerialLink& link, std::function<PortChoice()> portChoice)
    : QWidget(nullptr, Qt::Window), jobs_(jobs), link_(link), portChoice_(std::move(portChoice)),
      logReporter_(*this, jobs.Gate()), operationReporter_(*this, jobs.Gate(), EngineeringLogReporter::Bar::VoiceUpload),
      relayReporter_(*this, jobs.Gate()) {
    setObjectName(QStringLiteral("TForm5"));
    setFont(AppFonts::MsSansSerif8());
    resize(704, 563);
    if (const QScreen* desktop = screen()) {
        QRect placed = frameGeometry();
        placed.moveCenter(desktop->availableGeometry().center());
        move(placed.topLeft());
    }

    GroupBox1 = AddGroup(this, "GroupBox1", QStringLiteral("Лог"), {8, 8, 340, 547});
    Memo1 = Named(new QPlainTextEdit(GroupBox1), "Memo1");
    Memo1->setGeometry(8, 20, 324, 482);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Button15 = AddButton(GroupBox1, "Button15", QStringLiteral("Очистить"), {8, 510, 100, 28});
    Button16 = AddButton(GroupBox1, "Button16", QStringLiteral("Остановить"), {116, 510, 100, 28});
    Button16->setToolTip(QStringLiteral("Остановить выполняемую операцию (Esc)"));
    Button16->setEnabled(false);

    PageControl1 = Named(new QTabWidget(this), "PageControl1");
    PageControl1->setGeometry(356, 8, 340, 547);
    PageControl1->addTab(BuildGsmPage(), QStringLiteral("GSM"));
    PageControl1->addTab(BuildGpsPage(), QStringLiteral("GPS"));
    PageControl1->addTab(BuildSimPage(), QStringLiteral("SIM-карта"));
    PageControl1->setCurrentIndex(0);

    streamStatus_ = new GnssStatusFeed(this);
    statusTimer_ = new QTimer(this);
    statusTimer_->setInterval(1000);
    connect(statusTimer_, &QTimer::timeout, this, [this] { ShowStreamStatus(); });

    ConnectButtons();
    FormCreate();
}

TForm5::~TForm5() = default;

QWidget* TForm5::BuildGsmPage() {
    auto* page = Named(new QWidget, "TabSheet1");
    QGroupBox* gsm = AddGroup(page, "GroupBox2", QStringLiteral("GSM"), {8, 8, 316, 64});
    Button1 = AddButton(gsm, "Button1", QStringLiteral("Запуск GSM модуля"), {8, 24, 146, 28});
    Button2 = AddButton(gsm, "Button2", QStringLiteral("Остановка GSM модуля"), {162, 24, 146, 28});

    QGroupBox* files = AddGroup(page, "GroupBox3", QStringLiteral("Запись файлов в модем"), {8, 80, 316, 156});
    AddLabel(files, "Label1", QStringLiteral("Расположение файлов"), {8, 24});
    Edit1 = AddEdit(files, "Edit1", {8, 42, 300, 22});
    Button5 = AddButton(files, "Button5", QStringLiteral("Выбрать папку с файлами"), {8, 70, 300, 26});
    Button6 = AddButton(files, "Button6", QStringLiteral("Записать файлы"), {8, 100, 300, 26});
    ProgressBar2 = Named(new QProgressBar(files), "ProgressBar2");
    ProgressBar2->setGeometry(8, 132, 300, 16);
    ProgressBar2->setRange(0, 100);
    ProgressBar2->setValue(0);

    QGroupBox* call = AddGroup(page, "GroupBox4", QStringLiteral("Тест связи"), {8, 244, 316, 150});
    AddLabel(call, "Label4", QStringLiteral("Телефон:"), {8, 27});
    Edit4 = AddEdit(call, "Edit4", {70, 24, 238, 22});
    Button12 = AddButton(call, "Button12", QStringLiteral("Отправить IMEI номер в SMS"), {8, 54, 300, 26});
    Button13 = AddButton(call, "Button13", QStringLiteral("Совершить звонок"), {8, 84, 300, 26});
    Button14 = AddButton(call, "Button14", QStringLiteral("Отменить звонок"), {8, 114, 300, 26});
    return page;
}

QWidget* TForm5::BuildGpsPage() {
    auto* page = Named(new QWidget, "TabSheet2");
    QGroupBox* gps = AddGroup(page, "GroupBox6", QStringLiteral("GPS"), {8, 8, 316, 64});
    Button3 = AddButton(gps, "Button3", QStringLiteral("Запуск GPS модуля"), {8, 24, 146, 28});
    Button4 = AddButton(gps, "Button4", QStringLiteral("Остановка GPS модуля"), {162, 24, 146, 28});

    CheckBox1 = Named(new QCheckBox(QStringLiteral("Транслировать NMEA поток"), page), "CheckBox1");
    CheckBox1->setGeometry(16, 80, 300, 22);
    GnssStatusLabel = Named(new QLabel(page), "GnssStatusLabel");
    GnssStatusLabel->setGeometry(16, 104, 300, 60);
    GnssStatusLabel->setWordWrap(true);
    GnssStatusLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    GroupBox5 = AddGroup(page, "GroupBox5", QStringLiteral("Обновление прошивки"), {8, 170, 316, 156});
    AddLabel(GroupBox5, "Label2", QStringLiteral("Загрузчик"), {8, 27});
    Edit2 = AddEdit(GroupBox5, "Edit2", {76, 24, 200, 22});
    Button8 = AddButton(GroupBox5, "Button8", QStringLiteral("..."), {282, 24, 26, 22});
    AddLabel(GroupBox5, "Label3", QStringLiteral("Прошивка"), {8, 57});
    Edit3 = AddEdit(GroupBox5, "Edit3", {76, 54, 200, 22});
    Button9 = AddButton(GroupBox5, "Button9", QStringLiteral("..."), {282, 54, 26, 22});
    Button7 = AddButton(GroupBox5, "Button7", QStringLiteral("Обновить прошивку"), {8, 86, 300, 28});
    ProgressBar1 = Named(new QProgressBar(GroupBox5), "ProgressBar1");
    ProgressBar1->setGeometry(8, 122, 300, 18);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    return page;
}

QWidget* TForm5::BuildSimPage() {
    auto* page = Named(new QWidget, "TabSheet3");
    QGroupBox* sim = AddGroup(page, "GroupBox7", QStringLiteral("Тестовая SIM-карта"), {8, 8, 316, 100});
    Button10 = AddButton(sim, "Button10", QStringLiteral("Создать SIM-курту для тестирования"), {8, 24, 300, 28});
    Button11 = AddButton(sim, "Button11", QStringLiteral("Деактивировать SIM-карту для тестирования"),
                         {8, 60, 300, 28});
    return page;
}

void TForm5::ConnectButtons() {
    const std::pair<QPushButton*, ServiceOperation> operations[] = {
        {Button1, ServiceOperation::ModemOn},          {Button2, ServiceOperation::ModemOff},
        {Button3, ServiceOperation::GpsOn},            {Button4, ServiceOperation::GpsOff},
        {Button6, ServiceOperation::WriteVoiceFiles},  {Button10, ServiceOperation::CreateTestSim},
        {Button11, ServiceOperation::DeactivateTestSim}, {Button12, ServiceOperation::SendImeiBySms},
        {Button13, ServiceOperation::TestCall},        {Button14, ServiceOperation::CancelCall},
    };
    for (const auto& [button, operation] : operations)
        connect(button, &QPushButton::clicked, this, [this, operation = operation] { StartOperation(operation); });
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    connect(Button15, &QPushButton::clicked, this, [this] { Button15Click(); });
    connect(Button16, &QPushButton::clicked, this, [this] { Button16Click(); });
    connect(Button8, &QPushButton::clicked, this, [this] { ChooseModuleFile(Edit2, QStringLiteral("DAPath")); });
    connect(Button9, &QPushButton::clicked, this,
            [this] { ChooseModuleFile(Edit3, QStringLiteral("FirmwarePath")); });
    connect(Button7, &QPushButton::clicked, this, [this] { Button7Click(); });
    connect(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    connect(Edit4, &QLineEdit::textChanged, this, [this](const QString& text) { StorePhone(text); });
    Edit4->installEventFilter(this);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { Button16Click(); });
}

void TForm5::UseConfigFile(const QString& path) { ConfigFileInUse() = path; }

void TForm5::FormCreate() {
    const QString path = ConfigFileInUse();
    config_ = std::make_unique<ConfigIni>(path.isEmpty() ? ConfigIni::DefaultPath() : path);
    const QString directory = config_->Read(QStringLiteral("Directory"));
    const QString loader = config_->Read(QStringLiteral("DAPath"));
    const QString firmware = config_->Read(QStringLiteral("FirmwarePAth"));
    const QString phone = config_->Read(QStringLiteral("Phone"));
    ListVoiceFolder(directory);
    Edit1->setText(directory);
    Edit2->setText(loader);
    Edit3->setText(firmware);
    lastPhoneStored_ = phone;
    const QSignalBlocker quiet(Edit4);
    Edit4->setText(phone);
}

void TForm5::ListVoiceFolder(const QString& folder) {
    const VoiceFileList listed = ListVoiceFiles(folder);
    VoiceFiles = listed.files;
    VoiceFilesSize = listed.totalSize;
}

void TForm5::StoreValue(const QString& key, const QString& value) {
    if (!config_->Write(key, value))
        Prompts().Message(QMessageBox::Critical, ProgramCaption(), UnableToWriteText(config_->Path()));
}

// The number is stored as soon as it changes, so config.ini always holds the number shown.
void TForm5::StorePhone(const QString& phone) {
    if (phone == lastPhoneStored_)
        return;
    lastPhoneStored_ = phone;
    StoreValue(QStringLiteral("Phone"), phone);
}

bool TForm5::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit4 && event->type() == QEvent::KeyPress)
        StorePhone(Edit4->text());
    return QWidget::eventFilter(watched, event);
}

void TForm5::Button5Click() {
    const QString folder = Prompts().FolderName(QStringLiteral("Выберите папку"));
    if (folder.isEmpty())
        return;
    const QString shown = QDir::toNativeSeparators(folder);
    ListVoiceFolder(shown);
    Edit1->setText(shown);
    StoreValue(QStringLiteral("Directory"), shown);
}

void TForm5::ChooseModuleFile(QLineEdit* edit, const QString& key) {
    const QString chosen = Prompts().OpenFileName(QString());
    if (chosen.isEmpty())
        return;
    edit->setText(QDir::toNativeSeparators(chosen));
    edit->setFocus();
    edit->deselect();
    edit->end(false);
    StoreValue(key, edit->text());
}

void TForm5::Button15Click() { Memo1->clear(); }

void TForm5::Button16Click() {
    if (ActiveOperation)
        jobs_.Stop(ActiveOperation);
    if (ActiveUpdate)
        jobs_.Stop(ActiveUpdate);
}

void TForm5::AddLogLine(const QString& line) {
    Memo1->appendPlainText(line);
    Memo1->verticalScrollBar()->setValue(Memo1->verticalScrollBar()->maximum());
}

// The log can hold hours of stream: only the new text is added.
void TForm5::AppendReceived(const QByteArray& bytes) {
    AppendToLog(Memo1, streamText_.Take(bytes));
    streamStatus_->Feed(bytes);
    ShowStreamStatus();
    if (isActiveWindow())
        Memo1->setFocus();
}

// What the stream means, also when nothing came for a while: the time since the last sentence grows.
void TForm5::ShowStreamStatus() { GnssStatusLabel->setText(GnssStatusLine(streamStatus_->Status())); }

void TForm5::ShowProgress(qint64 done, qint64 total) {
    ProgressBar1->setValue(total > 0 ? static_cast<int>(done * 100 / total) : 0);
}

void TForm5::ShowUploadProgress(qint64 done, qint64 total) {
    ProgressBar2->setValue(total > 0 ? static_cast<int>(done * 100 / total) : 100);
}

void TForm5::StartOperation(ServiceOperation operation) {
    if (NeedsPhone(operation) && Edit4->text().isEmpty()) {
        AddLogLine(NoPhoneNumberText());
        return;
    }
    jobs_.MakeWay();
    DeviceJobLease lease = DeviceJobLease::TryTake();
    if (!lease.Held()) {
        AddLogLine(DeviceBusyText());
        return;
    }
    auto* job = new ServiceThread(operation, link_, portChoice_(), operationReporter_, std::move(lease));
    job->PhoneNumber = Edit4->text();
    job->Files = VoiceFiles;
    job->FilesSize = VoiceFilesSize;
    ActiveOperation = job;
    Button16->setEnabled(true);
    jobs_.Start(job, {[job] { job->RequestStop(); },
                      [this] {
                          ActiveOperation = nullptr;
                          Button16->setEnabled(false);
                      }});
}

void TForm5::CheckBox1Click() {
    if (CheckBox1->isChecked() && !ActiveNmeaRelay)
        StartRelay();
    else if (!CheckBox1->isChecked() && ActiveNmeaRelay)
        StopRelay();
}

void TForm5::StartRelay() {
    DeviceJobLease lease = DeviceJobLease::TryTake();
    if (!lease.Held()) {
        AddLogLine(DeviceBusyText());
        const QSignalBlocker quiet(CheckBox1);
        CheckBox1->setChecked(false);
        return;
    }
    streamText_ = NmeaLogText();
    streamStatus_->Reset();
    ShowStreamStatus();
    statusTimer_->start();
    auto* relay = new ShowNMEAThread(link_, portChoice_(), relayReporter_, std::move(lease));
    ActiveNmeaRelay = relay;
    jobs_.Start(relay, {[relay] { relay->RequestStop(); }, [this] { RelayEnded(); }, true});
}

void TForm5::StopRelay() { jobs_.Stop(ActiveNmeaRelay); }

// A relay told to stop (by the box or by another job starting) leaves the box unticked; one that
// found no device leaves it ticked, and unticking and ticking again tries once more.
void TForm5::RelayEnded() {
    const bool stopped = ActiveNmeaRelay && ActiveNmeaRelay->StopRequested();
    ActiveNmeaRelay = nullptr;
    statusTimer_->stop();
    if (stopped) {
        const QSignalBlocker quiet(CheckBox1);
        CheckBox1->setChecked(false);
    }
}

// The update takes the device lease at the click, so nothing else starts during its pause; the job
// itself waits the 2000 ms after the link was closed here, and the window stays responsive.
void TForm5::Button7Click() {
    CheckBox1->setChecked(false);
    jobs_.MakeWay();
    DeviceJobLease lease = DeviceJobLease::TryTake();
    if (!lease.Held()) {
        AddLogLine(DeviceBusyText());
        return;
    }
    Button7->setEnabled(false);
    link_.Close();
    auto* job = new GPSUpdateThread(link_, portChoice_(), logReporter_, std::move(lease));
    job->LoaderName = Edit2->text();
    job->FirmwareName = Edit3->text();
    job->StartPauseMs = CurrentTimings().gpsStartPauseMs;
    ActiveUpdate = job;
    Button16->setEnabled(true);
    jobs_.Start(job, {[job] { job->RequestStop(); }, [this] { UpdateEnded(); }});
}

void TForm5::UpdateEnded() {
    ActiveUpdate = nullptr;
    Button16->setEnabled(false);
    Button7->setEnabled(true);
}
