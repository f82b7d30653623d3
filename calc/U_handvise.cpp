#include "calc/U_handvise.h"
namespace calc {
TForm1::TForm1(QWidget* parent)
    : QWidget(parent) {}
} // namespace calc
