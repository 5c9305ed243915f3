#include "ui/time_span_dialog.h"

#include "logbook/logbook_commands.h"
#include "ui/about_help.h"
#include "ui/window_fit.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace zv {

namespace {

QDateEdit* datePicker(const CalendarDate& date, QWidget* parent) {
    auto* edit = new QDateEdit(QDate(date.year, date.month, date.day), parent);
    edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    edit->setCalendarPopup(true);
    return edit;
}

QGroupBox* group(const QString& title, QWidget* content, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(content);
    return box;
}

CalendarDate calendarDate(const QDate& date) {
    return {date.day(), date.month(), date.year()};
}

} // namespace

TimeSpanDialog::TimeSpanDialog(QWidget* parent, const TimeSpanDialogData& data)
    : QDialog(parent), data_(data) {
    setWindowTitle(QStringLiteral("Auswertung Flugstunden"));
    setHelpSection(this, QString::fromLatin1(help::statistics));
    showRefusal = [this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); };

    start_ = datePicker(data.start, this);
    end_ = datePicker(data.end, this);
    allFlights_ = new QCheckBox(QStringLiteral("Alle Flüge"), this);
    allFlights_->setChecked(data.allFlights);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TimeSpanDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TimeSpanDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group(QStringLiteral("Datum Beginn"), start_, this));
    layout->addWidget(group(QStringLiteral("Datum Ende"), end_, this));
    layout->addWidget(allFlights_);
    layout->addWidget(buttons);
    fitToTitle(this);
}

void TimeSpanDialog::accept() {
    TimeSpanDialogData entered;
    entered.start = calendarDate(start_->date());
    entered.end = calendarDate(end_->date());
    entered.allFlights = allFlights_->isChecked();
    if (const FieldRefusal refusal = checkTimeSpan(entered)) {
        showRefusal(QString::fromStdString(*refusal));
        return;
    }
    data_ = entered;
    QDialog::accept();
}

bool runTimeSpanDialog(QWidget* parent, TimeSpanDialogData& data) {
    TimeSpanDialog dialog(parent, data);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    data = dialog.data();
    return true;
}

} // namespace zv
