#pragma once

#include "link/ConnectDevice.h"
#include "service/NmeaLogText.h"
#include "service/ServiceOperation.h"
#include "service/ui/EngineeringReporters.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class JobRegistry;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class SerialLink;
class ServiceThread;
class ShowNMEAThread;
class ConfigIni;
class GPSUpdateThread;
class GnssStatusFeed;
class QTimer;

// The engineering window: the log on the left, the modem, module and SIM-card operations on the
// right. Closing it only hides it; its operations and the relay go on.
class TForm5 : public QWidget {
public:
    TForm5(JobRegistry& jobs, SerialLink& link, std::function<PortChoice()> portChoice);
    ~TForm5() override;

    // The config.ini windows created from now on use; an empty path restores the program's own.
    static void UseConfigFile(const QString& path);

    // The log: a status line as a new last line; the module's stream as it came.
    void AddLogLine(const QString& line);
    void AppendReceived(const QByteArray& bytes);
    void ShowProgress(qint64 done, qint64 total);
    void ShowUploadProgress(qint64 done, qint64 total);  // the voice files' bytes sent

    void Button5Click();   // choose the voice-file folder
    void Button15Click();  // empty the log
    void Button16Click();  // stop the running operation
    void CheckBox1Click();
    void Button7Click();  // the GPS/GLONASS module firmware update
    void StartOperation(ServiceOperation operation);
    // The port choice of the main window, as a job starting now would take it.
    PortChoice PortChoiceNow() const { return portChoice_(); }

    QStringList VoiceFiles;
    qint64 VoiceFilesSize = 0;
    ShowNMEAThread* ActiveNmeaRelay = nullptr;
    ServiceThread* ActiveOperation = nullptr;
    GPSUpdateThread* ActiveUpdate = nullptr;  // the running module update; Button7 is disabled meanwhile

    QGroupBox* GroupBox1;
    QPlainTextEdit* Memo1;
    QPushButton* Button15;
    QPushButton* Button16;
    QTabWidget* PageControl1;
    QPushButton* Button1;
    QPushButton* Button2;
    QLineEdit* Edit1;
    QPushButton* Button5;
    QPushButton* Button6;
    QProgressBar* ProgressBar2;
    QLineEdit* Edit4;
    QPushButton* Button12;
    QPushButton* Button13;
    QPushButton* Button14;
    QPushButton* Button3;
    QPushButton* Button4;
    QCheckBox* CheckBox1;
    QLabel* GnssStatusLabel;
    QGroupBox* GroupBox5;
    QLineEdit* Edit2;
    QPushButton* Button8;
    QLineEdit* Edit3;
    QPushButton* Button9;
    QPushButton* Button7;
    QProgressBar* ProgressBar1;
    QPushButton* Button10;
    QPushButton* Button11;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildGsmPage();
    QWidget* BuildGpsPage();
    QWidget* BuildSimPage();
    void ConnectButtons();
    void FormCreate();
    void ListVoiceFolder(const QString& folder);
    void StoreValue(const QString& key, const QString& value);
    void StorePhone(const QString& phone);
    void ChooseModuleFile(QLineEdit* edit, const QString& key);
    void StartRelay();
    void StopRelay();
    void RelayEnded();
    void ShowStreamStatus();
    void UpdateEnded();

    JobRegistry& jobs_;
    SerialLink& link_;
    std::function<PortChoice()> portChoice_;
    std::unique_ptr<ConfigIni> config_;
    QString lastPhoneStored_;
    NmeaLogText streamText_;
    GnssStatusFeed* streamStatus_;
    QTimer* statusTimer_;
    EngineeringLogReporter logReporter_;
    EngineeringLogReporter operationReporter_;  // the modem and module operations
    RelayLogReporter relayReporter_;
};
