#include "controls/AlignEdit.h"

namespace controls {

namespace {
// The enumeration lists right before centre; map by name, never by ordinal.
Qt::Alignment QtAlignmentOf(TAlignment alignment) {
    switch (alignment) {
    case TAlignment::taRightJustify:
        return Qt::AlignRight | Qt::AlignVCenter;
    case TAlignment::taCenter:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case TAlignment::taLeftJustify:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}
} // namespace

// Applied explicitly so that the shown alignment never depends on the line edit's own default.
TAlignEdit::TAlignEdit(QWidget* parent)
    : QLineEdit(parent) {
    setAlignment(QtAlignmentOf(alignment_));
}

// The line edit repaints on every alignment it is given, so an unchanged value stops here.
void TAlignEdit::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_)
        return;
    alignment_ = alignment;
    setAlignment(QtAlignmentOf(alignment));
}

} // namespace controls
