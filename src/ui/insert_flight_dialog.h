#pragma once

// "Flug einfügen": a flight entered by hand for the main logbook.

#include "base/dialog_data.h"

#include <QDialog>
#include <functional>

class QDateEdit;
class QLineEdit;
class QTimeEdit;

namespace zv {

class InsertFlightDialog : public QDialog {
    Q_OBJECT

public:
    InsertFlightDialog(QWidget* parent, const InsertFlightDialogData& data);

    // The entries, valid after the dialog was accepted.
    const InsertFlightDialogData& data() const { return data_; }

    // Shows a refused entry; a warning box unless replaced (the tests record it).
    std::function<void(const QString&)> showRefusal;

    QDateEdit* dateEdit() const { return date_; }
    QLineEdit* siteEdit() const { return site_; }
    QTimeEdit* takeoffTimeEdit() const { return takeoffTime_; }
    QLineEdit* takeoffAltitudeEdit() const { return takeoffAltitude_; }
    QTimeEdit* landingTimeEdit() const { return landingTime_; }
    QLineEdit* landingAltitudeEdit() const { return landingAltitude_; }
    QLineEdit* distanceEdit() const { return distance_; }

public slots:
    void accept() override;

private:
    InsertFlightDialogData data_;
    QDateEdit* date_;
    QLineEdit* site_;
    QTimeEdit* takeoffTime_;
    QLineEdit* takeoffAltitude_;
    QTimeEdit* landingTime_;
    QLineEdit* landingAltitude_;
    QLineEdit* distance_;
};

// Runs the dialog on data; true (and data changed) when the user confirmed with OK.
bool runInsertFlightDialog(QWidget* parent, InsertFlightDialogData& data);

} // namespace zv
