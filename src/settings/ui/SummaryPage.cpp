#include "settings/ui/SummaryPage.h"

#include "settings/ui/PageControls.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr int RowHeight = 17;
constexpr int CaptionWidth = 275;
constexpr int ValueWidth = 165;

QString CellText(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* cell = grid->item(row, column);
    return cell ? cell->text() : QString();
}

void SetCellText(QTableWidget* grid, int row, int column, const QString& text) {
    if (QTableWidgetItem* cell = grid->item(row, column))
        cell->setText(text);
    else
        grid->setItem(row, column, new QTableWidgetItem(text));
}
}  // namespace

SummaryPage::SummaryPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet9"));
    auto* column = new QVBoxLayout(this);
    QGroupBox* group = PageControls::Group(QStringLiteral("GroupBox16"), this);
    auto* inside = new QVBoxLayout(group);

    StringGrid1 = new QTableWidget(SummaryRowCount, 2, group);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setMinimumSectionSize(RowHeight);
    StringGrid1->verticalHeader()->setDefaultSectionSize(RowHeight);
    StringGrid1->setColumnWidth(0, CaptionWidth);
    StringGrid1->setColumnWidth(1, ValueWidth);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setFixedSize(CaptionWidth + ValueWidth + 4, SummaryRowCount * RowHeight + 4);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    inside->addWidget(StringGrid1);
    column->addWidget(group);
    column->addStretch();
}

void SummaryPage::ShowRows(const SummaryRows& rows) {
    for (int row = 0; row < SummaryRowCount; ++row) {
        SetCellText(StringGrid1, row, 0, rows[static_cast<std::size_t>(row)].caption);
        SetCellText(StringGrid1, row, 1, rows[static_cast<std::size_t>(row)].value);
    }
}

SummaryRows SummaryPage::Rows() const {
    SummaryRows rows;
    for (int row = 0; row < SummaryRowCount; ++row)
        rows[static_cast<std::size_t>(row)] = {CellText(StringGrid1, row, 0), CellText(StringGrid1, row, 1)};
    return rows;
}
