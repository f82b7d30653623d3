// A single-line edit box whose text is left-aligned, right-aligned or centred.
#pragma once

#include "common/Alignment.h"

#include <QLineEdit>

namespace controls {

using TAlignment = common::TAlignment;

class TAlignEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TAlignEdit(QWidget* parent = nullptr);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

private:
    TAlignment alignment_ = TAlignment::taLeftJustify;
};

} // namespace controls
