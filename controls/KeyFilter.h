// What counts as typing a character into an entry box, for the boxes that take digits only: focus
// moves, shortcuts (copy, paste, mnemonics) and editing keys without a character always pass.
#pragma once

#include <QChar>

#include <optional>

class QKeyEvent;

namespace controls {

// The character a key press types, or none for Tab, Delete, arrows and Ctrl, Alt or Meta chords.
std::optional<QChar> TypedCharacter(const QKeyEvent& key);

// A decimal digit or backspace: what a digits-only box accepts.
bool IsDigitOrBackspace(QChar character);

} // namespace controls
