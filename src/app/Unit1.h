#pragma once

#include "app/FirmwareWindowReporter.h"
#include "app/SettingsTransferWindowReporter.h"
#include "link/SerialLink.h"
#include "settings/DeviceSettings.h"

#include <QWidget>

#include <array>
#include <memory>

class ExitLabel;
class JobRegistry;
class FirmwareGroup;
class HeaderPanel;
class MCUpdateThread;
class NavigationLabel;
class PortPanel;
class QFrame;
class QLabel;
class QStackedWidget;
class RWSettingsThread;
class SummaryPage;
class TForm2;
class TForm3;
class TForm4;
class TForm6;
class ToolPanel;

// The main window: header, navigation column, tool bar, port panel and the settings pages. It starts
// the device jobs and shows what they report; the jobs, the page rules and the file formats live
// elsewhere.
class TForm1 : public QWidget {
public:
    static constexpr int EntryCount = 9;

    explicit TForm1(JobRegistry& jobs);
    ~TForm1() override;

    // The windows created after this one, which the jobs show.
    void SetCompanions(TForm2* wialon, TForm3* progress, TForm4* engineering, TForm6* trace);
    TForm3* ProgressWindow() const { return progressWindow_; }
    TForm6* TraceWindow() const { return traceWindow_; }

    // Navigation: entry n (1..9) selected and page n - 1 shown.
    void LabelClick(int entry);
    void ResetNavigation();
    NavigationLabel* Label(int entry) const { return navigation_[static_cast<std::size_t>(entry - 1)]; }

    void SpeedButton3Click();  // check and pack the pages, then write them to the device
    void SpeedButton4Click();  // read the settings from the device
    void SpeedButton5Click();  // the defaults
    void SpeedButton1Click();  // load a settings file
    void SpeedButton2Click();  // save a settings file
    void SpeedButton7Click();  // the Wialon command window
    void SpeedButton8Click();  // the engineering menu's password prompt
    void SpeedButton6Click();  // update the device's firmware from a chosen file
    void StartFirmwareUpdate(const QString& chosenName);
    void ShowTraceWindow();

    // The block on the pages and back, and on the summary page.
    void FillPages();
    bool PackPages();
    void FillSummaryGrid();
    // A completed read: the block replaces the program's, and the pages and the summary show it.
    void ShowReadSettings(const DeviceSettings& block);


protected:
    void closeEvent(QCloseEvent* event) override;

public:
    SerialLink Link;
    DeviceSettings Settings;
    RWSettingsThread* RWSettings = nullptr;
    MCUpdateThread* MCUpdate = nullptr;
    int SelectedItem = 1;

    HeaderPanel* Panel5;
    QLabel* Label34;
    QLabel* Label35;
    ExitLabel* Label21;
    PortPanel* Panel4;
    ToolPanel* Panel17;
    QStackedWidget* PageControl1;
    FirmwareGroup* GroupBox18;
    SummaryPage* TabSheet9;

private:
    void BuildHeader();
    void BuildNavigation();
    void BuildPages();
    void ConnectToolBar();
    void AddShortcuts();
    void FormCreate();
    void JustifyHelpTexts();
    void StartSettingsTransfer(RWSettingsThread::Mode mode);
    bool DeviceFree();

    std::array<NavigationLabel*, EntryCount> navigation_{};
    TForm2* wialonWindow_ = nullptr;
    TForm3* progressWindow_ = nullptr;
    TForm4* passwordPrompt_ = nullptr;
    TForm6* traceWindow_ = nullptr;
    JobRegistry& jobs_;
    SettingsTransferWindowReporter transferReporter_;
    FirmwareWindowReporter firmwareReporter_;
};
