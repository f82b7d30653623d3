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
    QLabel* PoundLabel;
    QLabel* SlugLabel;
    QLabel* KilogLabel;
    QLabel* NewtonLabel;
};

} // namespace calc
