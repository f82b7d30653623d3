// Checks the language tests share: which texts a window shows, whether each fits its control (measured
// with the control's font against its rectangle), and which English texts a catalogue translates.
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

class QWidget;

namespace testsupport {

// The texts of `window` a user reads or a screen reader speaks: its title; the captions of its visible
// labels, buttons, check and radio boxes, group boxes and combo box items; its menus and their items;
// tool tips and accessible names and descriptions. Access-key markers ("&") removed.
QStringList ShownTexts(const QWidget* window);

// Every visible label, button, check box, radio button and group box title of `window` whose text does
// not fit inside its control, as "name 'text' needs N, has M".
QStringList UnfittedTexts(const QWidget* window);

// The English source texts of the catalogue at `path` (a .ts file) whose translation differs from them,
// access-key markers removed.
QSet<QString> TranslatedSources(const QString& path);

} // namespace testsupport
