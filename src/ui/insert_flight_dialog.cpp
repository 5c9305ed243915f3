#include "ui/insert_flight_dialog.h"

#include "logbook/logbook_commands.h"
#include "ui/about_help.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace zv {

namespace {

QTimeEdit* timePicker(QWidget* parent, int hour, int minute) {
    auto* edit = new QTimeEdit(QTime(hour, minute), parent);
    edit->setDisplayFormat(QStringLiteral("HH:mm"));
    return edit;
}

QLineEdit* numberField(QWidget* parent, const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

// One group "Start" or "Landung": the time and the altitude.
QGroupBox* timeAndAltitude(const QString& title, QTimeEdit* time, QLineEdit* altitude,
                           QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("Zeit"), time);
    form->addRow(QStringLiteral("Höhe [m]"), altitude);
    return group;
}

} // namespace

InsertFlightDialog::InsertFlightDialog(QWidget* parent, const InsertFlightDialogData& data)
    : QDialog(parent), data_(data) {
    setWindowTitle(QStringLiteral("Flug einfügen"));
    setHelpSection(this, QString::fromLatin1(help::logbook));
    showRefusal = [this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); };

    date_ = new QDateEdit(QDate(data.date.year, data.date.month, data.date.day), this);
    date_->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    date_->setCalendarPopup(true);
    site_ = new QLineEdit(QString::fromStdString(data.takeoffSite), this);
    site_->setMaxLength(maxSiteNameLength);
    takeoffTime_ = timePicker(this, data.takeoffHour, data.takeoffMinute);
    takeoffAltitude_ = numberField(this, QString::number(data.takeoffAltitude));
    landingTime_ = timePicker(this, data.landingHour, data.landingMinute);
    landingAltitude_ = numberField(this, QString::number(data.landingAltitude));
    distance_ = numberField(this, QString::number(data.distance, 'g', 15));

    auto* top = new QFormLayout;
    top->addRow(QStringLiteral("Datum"), date_);
    top->addRow(QStringLiteral("Startplatz"), site_);
    auto* bottom = new QFormLayout;
    bottom->addRow(QStringLiteral("Strecke [km]"), distance_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &InsertFlightDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &InsertFlightDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(
        timeAndAltitude(QStringLiteral("Start"), takeoffTime_, takeoffAltitude_, this));
    layout->addWidget(
        timeAndAltitude(QStringLiteral("Landung"), landingTime_, landingAltitude_, this));
    layout->addLayout(bottom);
    layout->addWidget(buttons);
}

void InsertFlightDialog::accept() {
    InsertFlightDialogData entered = data_;
    const QDate date = date_->date();
    entered.date = {date.day(), date.month(), date.year()};
    entered.takeoffHour = takeoffTime_->time().hour();
    entered.takeoffMinute = takeoffTime_->time().minute();
    entered.landingHour = landingTime_->time().hour();
    entered.landingMinute = landingTime_->time().minute();

    const InsertFlightTexts texts{
        site_->text().toStdString(), takeoffAltitude_->text().toStdString(),
        landingAltitude_->text().toStdString(), distance_->text().toStdString()};
    if (const InsertFlightRefusal refusal = acceptInsertFlightTexts(texts, entered)) {
        showRefusal(QString::fromStdString(refusal.text));
        // The refused edit keeps the focus.
        QLineEdit* field = site_;
        switch (refusal.field) {
        case InsertFlightField::TakeoffAltitude:
            field = takeoffAltitude_;
            break;
        case InsertFlightField::LandingAltitude:
            field = landingAltitude_;
            break;
        case InsertFlightField::Distance:
            field = distance_;
            break;
        case InsertFlightField::None:
        case InsertFlightField::TakeoffSite:
            break;
        }
        field->setFocus();
        field->selectAll();
        return;
    }
    data_ = entered;
    QDialog::accept();
}

bool runInsertFlightDialog(QWidget* parent, InsertFlightDialogData& data) {
    InsertFlightDialog dialog(parent, data);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    data = dialog.data();
    return true;
}

} // namespace zv
