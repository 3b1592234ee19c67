#pragma once

#include "settings/DeviceSettings.h"

#include <QString>

#include <array>

// The summary page's table: a caption and the setting's value in words per row.
struct SummaryRow {
    QString caption;
    QString value;
    bool operator==(const SummaryRow&) const = default;
};
constexpr int SummaryRowCount = 20;
using SummaryRows = std::array<SummaryRow, SummaryRowCount>;  // all cells empty at start

// The rows for the block. A code the table has no words for leaves that row's value as it was in
// `previous` (the grid never clears a cell).
SummaryRows FillSummaryGrid(const DeviceSettings& block, const SummaryRows& previous);
