#pragma once

#include "settings/SummaryGrid.h"

#include <QWidget>

class QTableWidget;

// The summary page: every setting's caption and its value in words, two plain-text columns.
class SummaryPage : public QWidget {
public:
    explicit SummaryPage(QWidget* parent = nullptr);

    void ShowRows(const SummaryRows& rows);
    SummaryRows Rows() const;

    QTableWidget* StringGrid1;
};
