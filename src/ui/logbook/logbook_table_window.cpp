#include "ui/logbook/logbook_table_window.h"

#include "ui/charts/logbook_charts.h"
#include "ui/logbook/logbook_table_model.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace zv {

namespace {

// The widest text each column shows in a usual logbook.
const char* const widestTexts[LogbookTableModel::ColumnCount] = {
    "99999",   "31.12.2099", "23:59",    "23:59",     "23:59",     "WWWWWWWWWWW",
    "99999 m", "99999 m",    "999,9 km", "+99,9 m/s", "-99,9 m/s",
};

QSpinBox* yearBox(QWidget* parent) {
    auto* box = new QSpinBox(parent);
    // Years without a thousands separator.
    box->setGroupSeparatorShown(false);
    box->setAccelerated(true);
    return box;
}

} // namespace

LogbookTableWindow::LogbookTableWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), table_(new QTableView(this)), site_(new QLineEdit(this)),
      fromYear_(yearBox(this)), toYear_(yearBox(this)), totals_(new QLabel(this)) {
    // Closed, it gives its flights' memory back; Übersicht makes a new one.
    setAttribute(Qt::WA_DeleteOnClose);
    site_->setObjectName(QStringLiteral("siteFilter"));
    site_->setPlaceholderText(QStringLiteral("Name oder Teil des Namens"));
    site_->setClearButtonEnabled(true);
    fromYear_->setObjectName(QStringLiteral("fromYear"));
    toYear_->setObjectName(QStringLiteral("toYear"));
    totals_->setObjectName(QStringLiteral("totals"));

    auto* filter = new QHBoxLayout;
    auto* siteLabel = new QLabel(QStringLiteral("&Startplatz:"), this);
    siteLabel->setBuddy(site_);
    auto* fromLabel = new QLabel(QStringLiteral("&Jahre von"), this);
    fromLabel->setBuddy(fromYear_);
    filter->addWidget(siteLabel);
    filter->addWidget(site_, 1);
    filter->addSpacing(16);
    filter->addWidget(fromLabel);
    filter->addWidget(fromYear_);
    filter->addWidget(new QLabel(QStringLiteral("bis"), this));
    filter->addWidget(toYear_);
    filter->addStretch(1);

    table_->setSortingEnabled(true);
    table_->setAlternatingRowColors(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    // Fixed row heights: the view never measures 50,000 rows.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    table_->horizontalHeader()->setHighlightSections(false);
    table_->setIconSize(QSize(16, 16));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filter);
    layout->addWidget(table_, 1);
    layout->addWidget(totals_);

    connect(site_, &QLineEdit::textChanged, this, &LogbookTableWindow::applyFilter);
    connect(fromYear_, &QSpinBox::valueChanged, this, &LogbookTableWindow::applyFilter);
    connect(toYear_, &QSpinBox::valueChanged, this, &LogbookTableWindow::applyFilter);
    // A double click, or Enter on the flight the cursor is on.
    connect(table_, &QTableView::activated, this,
            [this](const QModelIndex& index) { openRow(index.row()); });
    resize(1100, 650);
}

void LogbookTableWindow::showOverview(LogbookOverview overview, const QString& logbookName) {
    setWindowTitle(QStringLiteral("Flugbuch-Übersicht – %1").arg(logbookName));
    LogbookTableModel* old = model_;
    model_ = new LogbookTableModel(std::move(overview), this);
    connect(model_, &QAbstractItemModel::modelReset, this, &LogbookTableWindow::updateTotals);
    {
        const QSignalBlocker blockSite(site_);
        const QSignalBlocker blockFrom(fromYear_);
        const QSignalBlocker blockTo(toYear_);
        site_->clear();
        for (QSpinBox* box : {fromYear_, toYear_}) {
            box->setRange(model_->firstYear(), model_->lastYear());
        }
        fromYear_->setValue(model_->firstYear());
        toYear_->setValue(model_->lastYear());
    }
    table_->setModel(model_);
    delete old;

    const QFontMetrics metrics(table_->font());
    QHeaderView* header = table_->horizontalHeader();
    const QFontMetrics headerMetrics(header->font());
    for (int column = 0; column < LogbookTableModel::ColumnCount; ++column) {
        const QString title =
            model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        // Room for the sort arrow beside the title, and for the file icon in the first
        // column.
        const int icon = column == LogbookTableModel::Number ? table_->iconSize().width() + 6 : 0;
        header->resizeSection(
            column, std::max(headerMetrics.horizontalAdvance(title) + 28,
                             metrics.horizontalAdvance(QString::fromUtf8(widestTexts[column])) +
                                 icon + 16));
    }
    // The site takes the room the window has beyond the other columns.
    header->setSectionResizeMode(LogbookTableModel::Site, QHeaderView::Stretch);
    // The newest flights first.
    table_->sortByColumn(LogbookTableModel::Date, Qt::DescendingOrder);
    updateTotals();
}

void LogbookTableWindow::applyFilter() {
    if (model_) {
        model_->setFilter(site_->text(), fromYear_->value(), toYear_->value());
    }
}

void LogbookTableWindow::updateTotals() {
    const QLocale german(QLocale::German, QLocale::Germany);
    const int shown = model_->shownFlights();
    totals_->setText(QStringLiteral("<b>%1 %2</b> von %3 · Flugzeit <b>%4 h</b>")
                         .arg(german.toString(shown))
                         .arg(shown == 1 ? QStringLiteral("Flug") : QStringLiteral("Flüge"))
                         .arg(german.toString(model_->totalFlights()))
                         .arg(charts::timeText(model_->shownTime())));
}

void LogbookTableWindow::openRow(int row) {
    if (model_ && row >= 0 && row < model_->shownFlights() && !model_->flightFileAt(row).empty()) {
        emit flightDataRequested(model_->flightFileAt(row));
    }
}

} // namespace zv
