// The preview's key table: which key, with which modifiers, scrolls the sheet, turns the page or zooms.
#pragma once

#include <Qt>

namespace preview {

// The key state of an event as one of the three sets the control acts on.
enum class TKeyState { None, Shift, Ctrl, Other };

TKeyState KeyState(Qt::KeyboardModifiers modifiers);

enum class TKeyCommand {
    None,        // not the control's key: the scroll area has it
    Scroll,      // the scroll bar of Axis moves by Step, backwards for a negative Sign
    ScrollToEnd, // the scroll bar of Axis goes to its start (negative Sign) or its end
    TurnPage,    // Sign pages on
    TurnToEnd,   // to the first page (negative Sign) or the last
    Zoom         // Sign zoom steps
};

enum class TKeyStep { Line, Pixel, View };

struct TKeyAction {
    TKeyCommand Command = TKeyCommand::None;
    Qt::Orientation Axis = Qt::Vertical;
    TKeyStep Step = TKeyStep::Line;
    int Sign = 0;
    bool operator==(const TKeyAction&) const = default;
};

// What `key` pressed with `modifiers` does in the preview; the keypad's plus and minus zoom.
TKeyAction KeyAction(int key, Qt::KeyboardModifiers modifiers);

} // namespace preview
