// Conversion dialog: a tension in pounds and slugs, kilograms and newtons, and an OK button.
#pragma once

#include "calc/SideTools.h"

#include <QDialog>

class QLabel;

namespace calc {

class TFormConvert : public QDialog {
    Q_OBJECT
public:
    // Created without owner; `window` only places it over its centre.
    TFormConvert(const TConvertedTension& values, const QWidget* window);

private:
    // Designed names kept as objectName (docs/reading-the-code.md); each shows one converted value.
    QLabel* PoundLabel;  // pounds, in group " English Units "
    QLabel* SlugLabel;   // slugs, in group " English Units "
    QLabel* KilogLabel;  // kilograms, in group " Metric Units "
    QLabel* NewtonLabel; // newtons, in group " Metric Units "
};

} // namespace calc
