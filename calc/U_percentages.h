// Percentages dialog: 40 % to 160 % of a tension, one line each, and an OK button.
#pragma once

#include <QDialog>

#include <array>
#include <string>

class QPlainTextEdit;

namespace calc {

class TFormPercentage : public QDialog {
    Q_OBJECT
public:
    // Created without owner; `window` only places it over its centre.
    TFormPercentage(const std::array<std::string, 13>& lines, const QWidget* window);

private:
    QPlainTextEdit* PercMemo; // read-only text: "40 percent : 68" ... "160 percent : 272"
};

} // namespace calc
