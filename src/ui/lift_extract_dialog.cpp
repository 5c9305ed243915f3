#include "ui/lift_extract_dialog.h"

#include "base/app_settings.h"
#include "base/user_interface.h"
#include "lifts/lift_extraction.h"
#include "ui/about_help.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zv {

namespace {

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

// "Linke untere Ecke" / "Rechte obere Ecke": a latitude and a longitude edit.
QGroupBox* cornerGroup(const QString& title, QLineEdit* lat, QLineEdit* lon, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QGridLayout(box);
    layout->addWidget(new QLabel(QStringLiteral("Latitude"), box), 0, 0);
    layout->addWidget(lat, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Longitude"), box), 1, 0);
    layout->addWidget(lon, 1, 1);
    return box;
}

} // namespace

CLiftExtractDialog::CLiftExtractDialog(QWidget* parent, const AppSettings& settings,
                                       UserInterface& ui, const LiftExtractDialogData& data)
    : QDialog(parent), settings_(settings), ui_(ui), data_(data) {
    setWindowTitle(QStringLiteral("Aufwinde extrahieren"));
    setHelpSection(this, QString::fromLatin1(help::lifts));

    const LiftExtractTexts texts = liftExtractTexts(data);
    windFilter_ = new QCheckBox(QStringLiteral("von "), this);
    windFilter_->setChecked(texts.windFilter);
    latLow_ = new QLineEdit(fromStd(texts.latLow), this);
    latHigh_ = new QLineEdit(fromStd(texts.latHigh), this);
    lonLow_ = new QLineEdit(fromStd(texts.lonLow), this);
    lonHigh_ = new QLineEdit(fromStd(texts.lonHigh), this);
    windFrom_ = new QLineEdit(fromStd(texts.windFrom), this);
    windTo_ = new QLineEdit(fromStd(texts.windTo), this);
    fileName_ = new QLineEdit(fromStd(texts.fileName), this);
    browse_ = new QPushButton(QStringLiteral("..."), this);

    auto* coordinates = new QGroupBox(QStringLiteral("geogr. Koordinaten (GGG.GGG...) "), this);
    auto* coordinateLayout = new QHBoxLayout(coordinates);
    coordinateLayout->addWidget(
        cornerGroup(QStringLiteral("Linke untere Ecke"), latLow_, lonLow_, coordinates));
    coordinateLayout->addWidget(
        cornerGroup(QStringLiteral("Rechte obere Ecke"), latHigh_, lonHigh_, coordinates));

    auto* wind = new QGroupBox(QStringLiteral("Windrichtung"), this);
    auto* windLayout = new QHBoxLayout(wind);
    windLayout->addWidget(windFilter_);
    windLayout->addWidget(windFrom_);
    windLayout->addWidget(new QLabel(QStringLiteral("[°] bis"), wind));
    windLayout->addWidget(windTo_);
    windLayout->addWidget(new QLabel(QStringLiteral("[°]"), wind));

    auto* file = new QGroupBox(QStringLiteral("neue Aufwinddatei"), this);
    auto* fileLayout = new QHBoxLayout(file);
    fileLayout->addWidget(fileName_);
    fileLayout->addWidget(browse_);
    connect(browse_, &QPushButton::clicked, this, &CLiftExtractDialog::browse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CLiftExtractDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CLiftExtractDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(coordinates);
    layout->addWidget(wind);
    layout->addWidget(file);
    layout->addWidget(buttons);
}

QLineEdit* CLiftExtractDialog::editOf(int field) const {
    switch (static_cast<LiftExtractField>(field)) {
    case LiftExtractField::LatLow:
        return latLow_;
    case LiftExtractField::LatHigh:
        return latHigh_;
    case LiftExtractField::LonLow:
        return lonLow_;
    case LiftExtractField::LonHigh:
        return lonHigh_;
    case LiftExtractField::WindFrom:
        return windFrom_;
    case LiftExtractField::WindTo:
        return windTo_;
    case LiftExtractField::FileName:
        return fileName_;
    case LiftExtractField::None:
        break;
    }
    return nullptr;
}

void CLiftExtractDialog::accept() {
    LiftExtractTexts texts;
    texts.windFilter = windFilter_->isChecked();
    texts.latLow = latLow_->text().toStdString();
    texts.latHigh = latHigh_->text().toStdString();
    texts.lonLow = lonLow_->text().toStdString();
    texts.lonHigh = lonHigh_->text().toStdString();
    texts.windFrom = windFrom_->text().toStdString();
    texts.windTo = windTo_->text().toStdString();
    texts.fileName = fileName_->text().toStdString();
    const LiftExtractRefusal refusal = acceptLiftExtractTexts(texts, settings_, data_);
    if (refusal) {
        // The dialog stays open with the entries as typed; the edit at fault gets the focus.
        ui_.message(refusal.text, refusal.icon);
        if (QLineEdit* edit = editOf(static_cast<int>(refusal.field))) {
            edit->setFocus();
            edit->selectAll();
        }
        return;
    }
    QDialog::accept();
}

// "...": the entries typed so far stay in their edits; only the name changes, and only
// when a file was chosen.
void CLiftExtractDialog::browse() {
    std::string fileName = fileName_->text().toStdString();
    if (chooseLiftExtractFile(settings_, ui_, fileName)) {
        fileName_->setText(fromStd(fileName));
    }
}

bool runLiftExtractDialog(QWidget* parent, const AppSettings& settings, UserInterface& ui,
                          LiftExtractDialogData& data) {
    CLiftExtractDialog dialog(parent, settings, ui, data);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    data = dialog.data();
    return true;
}

} // namespace zv
