#include "preview/PreviewKeys.h"

namespace preview {

TKeyState KeyState(Qt::KeyboardModifiers modifiers) {
    // Keys of the numeric keypad carry a flag of their own that is no modifier the user holds.
    modifiers &= ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier)
        return TKeyState::None;
    if (modifiers == Qt::ShiftModifier)
        return TKeyState::Shift;
    if (modifiers == Qt::ControlModifier)
        return TKeyState::Ctrl;
    return TKeyState::Other;
}

TKeyAction KeyAction(int key, Qt::KeyboardModifiers modifiers) {
    const TKeyState state = KeyState(modifiers);
    switch (key) {
    case Qt::Key_Home:
    case Qt::Key_End: {
        // Alone along the line, with Ctrl up and down the page.
        const int sign = key == Qt::Key_Home ? -1 : 1;
        if (state == TKeyState::None)
            return {TKeyCommand::ScrollToEnd, Qt::Horizontal, TKeyStep::Line, sign};
        if (state == TKeyState::Ctrl)
            return {TKeyCommand::ScrollToEnd, Qt::Vertical, TKeyStep::Line, sign};
        return {};
    }
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const Qt::Orientation axis =
            key == Qt::Key_Left || key == Qt::Key_Right ? Qt::Horizontal : Qt::Vertical;
        const int sign = key == Qt::Key_Left || key == Qt::Key_Up ? -1 : 1;
        if (state == TKeyState::None)
            return {TKeyCommand::Scroll, axis, TKeyStep::Line, sign};
        if (state == TKeyState::Shift)
            return {TKeyCommand::Scroll, axis, TKeyStep::Pixel, sign};
        if (state == TKeyState::Ctrl)
            return {TKeyCommand::Scroll, axis, TKeyStep::View, sign};
        return {};
    }
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        const int sign = key == Qt::Key_PageUp ? -1 : 1;
        if (state == TKeyState::None)
            return {TKeyCommand::TurnPage, Qt::Vertical, TKeyStep::Line, sign};
        if (state == TKeyState::Ctrl)
            return {TKeyCommand::TurnToEnd, Qt::Vertical, TKeyStep::Line, sign};
        return {};
    }
    case Qt::Key_Plus:
    case Qt::Key_Minus:
        // The main keyboard's plus and minus are text; only the keypad's zoom.
        if (modifiers.testFlag(Qt::KeypadModifier) && state == TKeyState::None)
            return {TKeyCommand::Zoom, Qt::Vertical, TKeyStep::Line, key == Qt::Key_Plus ? 1 : -1};
        return {};
    default:
        return {};
    }
}

} // namespace preview
