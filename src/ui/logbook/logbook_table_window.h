#pragma once

// "Übersicht": the window with the table of the main logbook's flights, a filter by site
// and years above it and the totals of the flights shown below it. A double click on a
// flight that has its flight data file (or Enter on it) asks for that file to be shown.

#include "logbook/logbook_overview.h"

#include <QWidget>
#include <filesystem>

class QLabel;
class QLineEdit;
class QSpinBox;
class QTableView;

namespace zv {

class LogbookTableModel;

class LogbookTableWindow : public QWidget {
    Q_OBJECT
public:
    explicit LogbookTableWindow(QWidget* parent = nullptr);

    // Shows these flights, in place of those shown before; the filter starts anew.
    void showOverview(LogbookOverview overview, const QString& logbookName);

    LogbookTableModel* model() const { return model_; }
    QTableView* table() const { return table_; }
    QLineEdit* siteFilter() const { return site_; }
    QSpinBox* fromYear() const { return fromYear_; }
    QSpinBox* toYear() const { return toYear_; }
    QLabel* totals() const { return totals_; }

signals:
    // A flight with its flight data file was double-clicked.
    void flightDataRequested(const std::filesystem::path& path);

private:
    void applyFilter();
    void updateTotals();
    void openRow(int row);

    LogbookTableModel* model_ = nullptr;
    QTableView* table_;
    QLineEdit* site_;
    QSpinBox* fromYear_;
    QSpinBox* toYear_;
    QLabel* totals_;
};

} // namespace zv
