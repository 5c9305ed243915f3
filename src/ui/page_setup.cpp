#include "ui/page_setup.h"

#include "ui/about_help.h"
#include "ui/window_fit.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>
#include <cstdlib>

namespace zv {

int mulDivRounded(int number, int numerator, int denominator) {
    const long long product = static_cast<long long>(number) * numerator;
    const long long magnitude =
        (std::llabs(product) + std::llabs(denominator) / 2) / std::llabs(denominator);
    const bool negative = (product < 0) != (denominator < 0);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

int roundToTens(int value) {
    const int magnitude = (std::abs(value) + 5) / 10 * 10;
    return value < 0 ? -magnitude : magnitude;
}

int twipsToDialogUnits(int twips) {
    return roundToTens(mulDivRounded(twips, 1763, 1000));
}

int dialogUnitsToTwips(int hundredthsMm) {
    return roundToTens(mulDivRounded(hundredthsMm, 1000, 1763));
}

namespace {

QDoubleSpinBox* millimetreBox(int twips, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setDecimals(1);
    box->setRange(0.0, 999.9);
    box->setSingleStep(0.1);
    box->setSuffix(QStringLiteral(" mm"));
    box->setValue(twipsToDialogUnits(twips) / 100.0);
    return box;
}

int twipsOf(const QDoubleSpinBox* box) {
    return dialogUnitsToTwips(static_cast<int>(qRound(box->value() * 100.0)));
}

} // namespace

PageSetupDialog::PageSetupDialog(const PrintMargins& margins, QWidget* parent)
    : QDialog(parent), left_(millimetreBox(margins.left, this)),
      top_(millimetreBox(margins.top, this)), right_(millimetreBox(margins.right, this)),
      bottom_(millimetreBox(margins.bottom, this)) {
    setWindowTitle(QStringLiteral("Seite einrichten"));
    setHelpSection(this, QString::fromLatin1(help::textWindows));
    auto* group = new QGroupBox(QStringLiteral("Ränder (Millimeter)"), this);
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("&Links:"), left_);
    form->addRow(QStringLiteral("&Rechts:"), right_);
    form->addRow(QStringLiteral("&Oben:"), top_);
    form->addRow(QStringLiteral("&Unten:"), bottom_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    fitToTitle(this);
}

PrintMargins PageSetupDialog::margins() const {
    return {twipsOf(left_), twipsOf(top_), twipsOf(right_), twipsOf(bottom_)};
}

} // namespace zv
