#pragma once

// "Auswertung Flugstunden": the span of the two logbook evaluations.

#include "base/dialog_data.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QDateEdit;

namespace zv {

class TimeSpanDialog : public QDialog {
    Q_OBJECT

public:
    TimeSpanDialog(QWidget* parent, const TimeSpanDialogData& data);

    // The span, valid after the dialog was accepted.
    const TimeSpanDialogData& data() const { return data_; }

    // Shows a refused span; a warning box unless replaced (the tests record it).
    std::function<void(const QString&)> showRefusal;

    QDateEdit* startEdit() const { return start_; }
    QDateEdit* endEdit() const { return end_; }
    QCheckBox* allFlightsBox() const { return allFlights_; }

public slots:
    void accept() override;

private:
    TimeSpanDialogData data_;
    QDateEdit* start_;
    QDateEdit* end_;
    QCheckBox* allFlights_;
};

// Runs the dialog on data; true (and data changed) when the user confirmed with OK.
bool runTimeSpanDialog(QWidget* parent, TimeSpanDialogData& data);

} // namespace zv
