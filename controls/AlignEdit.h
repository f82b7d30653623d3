// A single-line edit box whose text is left-aligned, right-aligned or centred.
#pragma once

#include <QLineEdit>

#include <cstdint>

namespace controls {

enum class TAlignment : std::uint8_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

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
