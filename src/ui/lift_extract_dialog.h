#pragma once

// "Aufwinde extrahieren": the rectangle, the wind-direction window and the new lift file
// of an extraction from the lift database.

#include "base/dialog_data.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace zv {

struct AppSettings;
class UserInterface;

class CLiftExtractDialog : public QDialog {
    Q_OBJECT

public:
    // Refusals and the file dialog of "..." go through `ui`; `settings` gives liftDir and
    // the lift database.
    CLiftExtractDialog(QWidget* parent, const AppSettings& settings, UserInterface& ui,
                       const LiftExtractDialogData& data);

    // The entries, valid after the dialog was accepted.
    const LiftExtractDialogData& data() const { return data_; }

    QCheckBox* windFilterBox() const { return windFilter_; }
    QLineEdit* latLowEdit() const { return latLow_; }
    QLineEdit* latHighEdit() const { return latHigh_; }
    QLineEdit* lonLowEdit() const { return lonLow_; }
    QLineEdit* lonHighEdit() const { return lonHigh_; }
    QLineEdit* windFromEdit() const { return windFrom_; }
    QLineEdit* windToEdit() const { return windTo_; }
    QLineEdit* fileNameEdit() const { return fileName_; }
    QPushButton* browseButton() const { return browse_; }

public slots:
    void accept() override;

private:
    void browse();
    QLineEdit* editOf(int field) const;

    const AppSettings& settings_;
    UserInterface& ui_;
    LiftExtractDialogData data_;
    QCheckBox* windFilter_;
    QLineEdit* latLow_;
    QLineEdit* latHigh_;
    QLineEdit* lonLow_;
    QLineEdit* lonHigh_;
    QLineEdit* windFrom_;
    QLineEdit* windTo_;
    QLineEdit* fileName_;
    QPushButton* browse_;
};

// Runs the dialog on data; true (and data changed) when the user confirmed with OK.
bool runLiftExtractDialog(QWidget* parent, const AppSettings& settings, UserInterface& ui,
                          LiftExtractDialogData& data);

} // namespace zv
