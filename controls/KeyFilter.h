// What counts as typing a character into an entry box, for the boxes that take digits only: focus
// moves, shortcuts (copy, paste, mnemonics) and editing keys without a character always pass.
#pragma once

#include <QChar>
#include <QObject>

#include <functional>
#include <optional>

class QKeyEvent;
class QWidget;

namespace controls {

// The character a key press types, or none for Tab, Delete, arrows and Ctrl, Alt or Meta chords.
std::optional<QChar> TypedCharacter(const QKeyEvent& key);

// A decimal digit or backspace: what a digits-only box accepts.
bool IsDigitOrBackspace(QChar character);

// Hands each character typed into the watched box to `accept`; one it rejects never reaches the box.
class TKeyPressFilter : public QObject {
public:
    TKeyPressFilter(QObject* parent, std::function<bool(QChar)> accept);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool(QChar)> accept_;
};

// Installs on `box` a filter, owned by the box, that lets through only what `accept` takes.
void FilterKeyPresses(QWidget* box, std::function<bool(QChar)> accept);

} // namespace controls
