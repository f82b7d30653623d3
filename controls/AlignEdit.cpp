#include "controls/AlignEdit.h"

namespace controls {

TAlignEdit::TAlignEdit(QWidget* parent)
    : QLineEdit(parent) {}

void TAlignEdit::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_)
        return;
    alignment_ = alignment;
    const Qt::Alignment horizontal = alignment == TAlignment::taCenter         ? Qt::AlignHCenter
                                     : alignment == TAlignment::taRightJustify ? Qt::AlignRight
                                                                               : Qt::AlignLeft;
    setAlignment(horizontal | Qt::AlignVCenter);
}

} // namespace controls
