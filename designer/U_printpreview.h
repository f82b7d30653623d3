// Print preview of the training cycle, for now a plain modal window that lists the routine as text in
// the order of the printed sheet.
//
// Data flow: the main window hands over its cycle; the window only reads it, once, when it is built.
#pragma once

#include "designer/CycleGenerator.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;

namespace designer {

// The routine in the sheet's order: each week's heading, then each set the week has, as its setting,
// its tension and its repetitions; a blank line after every week.
QStringList RoutineLines(const CycleTable& cycle);

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(const CycleTable& cycle, QWidget* parent = nullptr);

private:
    QPlainTextEdit* RoutineText = nullptr;
    QPushButton* Button1 = nullptr;
};

} // namespace designer
