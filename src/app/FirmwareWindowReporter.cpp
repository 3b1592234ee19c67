#include "app/FirmwareWindowReporter.h"

#include "app/PortPanel.h"
#include "app/Unit1.h"
#include "doctor/NotConnectedReason.h"
#include "firmware/ui/FirmwareGroup.h"

void FirmwareWindowReporter::ShowResult(ReportKind kind, const QString& message) {
    gate_.Run([&] { ShowJobResult(kind, message, NotConnectedReasonFor(message, window_.Panel4->Choice())); });
}

void FirmwareWindowReporter::ShowProgress(qint64 done, qint64 total) {
    gate_.Run([&] { window_.GroupBox18->ShowProgress(done, total); });
}
