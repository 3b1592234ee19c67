#include "app/SettingsTransferWindowReporter.h"

#include "app/PortPanel.h"
#include "app/Unit1.h"
#include "app/Unit6.h"
#include "doctor/NotConnectedReason.h"
#include "settings/ui/Unit3.h"

void SettingsTransferWindowReporter::ShowResult(ReportKind kind, const QString& message) {
    gate_.Run([&] { ShowJobResult(kind, message, NotConnectedReasonFor(message, window_.Panel4->Choice())); });
}

void SettingsTransferWindowReporter::ShowProgress(qint64 done, qint64 total) {
    gate_.Run([&] {
        if (TForm3* progress = window_.ProgressWindow())
            progress->ShowProgress(static_cast<int>(done), static_cast<int>(total));
    });
}

void SettingsTransferWindowReporter::ShowProgressWindow(const QString& title) {
    gate_.Run([&] {
        if (TForm3* progress = window_.ProgressWindow())
            progress->ShowProgressWindow(title, &window_);
    });
}

void SettingsTransferWindowReporter::HideProgressWindow() {
    gate_.Run([&] {
        if (TForm3* progress = window_.ProgressWindow())
            progress->hide();
    });
}

void SettingsTransferWindowReporter::TraceReply(const QByteArray& first32Bytes) {
    gate_.Run([&] {
        if (TForm6* trace = window_.TraceWindow())
            trace->TraceReply(first32Bytes);
    });
}

void SettingsTransferWindowReporter::ShowReadSettings(const DeviceSettings& block) {
    gate_.Run([&] { window_.ShowReadSettings(block); });
}
