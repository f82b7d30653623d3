// What the calculator's small dialogs share: a fixed client size, centring over the
// main window, and the OK button with its check mark.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>

class QDialog;
class QPushButton;
class QWidget;

namespace calc {

// A fixed-size dialog in its own colour (with the light palette that keeps its texts readable on dark
// themes) and font, placed over the centre of `window`.
void SetUpDialog(QDialog* dialog, const QString& caption, QSize client, const QColor& colour,
                 const QFont& font, const QWidget* window);

// The OK button that closes the dialog; the default button, so Enter closes it too.
QPushButton* OkButton(QDialog* dialog, QRect rect);

} // namespace calc
