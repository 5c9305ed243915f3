#pragma once

// "Seite einrichten": the print margins, kept in twips, edited in millimetres with one
// decimal.

#include "platform/profile.h"

#include <QDialog>

class QDoubleSpinBox;

namespace zv {

// number * numerator / denominator, rounded half away from zero (64-bit intermediate).
int mulDivRounded(int number, int numerator, int denominator);
// Rounded to a multiple of 10, halves away from zero.
int roundToTens(int value);
// Twips to hundredths of a millimetre as the dialog shows them (multiples of 10), and back.
int twipsToDialogUnits(int twips);
int dialogUnitsToTwips(int hundredthsMm);

class PageSetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit PageSetupDialog(const PrintMargins& margins, QWidget* parent = nullptr);
    // The margins in twips as confirmed.
    PrintMargins margins() const;

    QDoubleSpinBox* leftBox() const { return left_; }
    QDoubleSpinBox* topBox() const { return top_; }
    QDoubleSpinBox* rightBox() const { return right_; }
    QDoubleSpinBox* bottomBox() const { return bottom_; }

private:
    QDoubleSpinBox* left_;
    QDoubleSpinBox* top_;
    QDoubleSpinBox* right_;
    QDoubleSpinBox* bottom_;
};

} // namespace zv
