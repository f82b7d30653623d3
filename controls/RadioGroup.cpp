#include "controls/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace controls {

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent)
    , buttons_(new QButtonGroup(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 2, 4, 4);
    layout->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto* item = new QRadioButton(items[i], this);
        buttons_->addButton(item, i);
        layout->addWidget(item);
    }
    connect(buttons_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        KeepTabStopOnChecked();
        if (checked)
            emit ItemIndexChanged(id);
    });
    KeepTabStopOnChecked();
}

// As on every desktop, Tab enters the group at its chosen item and leaves it with the next Tab; the
// arrow keys move the choice within the group. Without a choice, every item is a tab stop.
void TRadioGroup::KeepTabStopOnChecked() {
    const QAbstractButton* checked = buttons_->checkedButton();
    for (QAbstractButton* item : buttons_->buttons())
        item->setFocusPolicy(checked == nullptr || item == checked ? Qt::StrongFocus : Qt::ClickFocus);
}

int TRadioGroup::ItemIndex() const {
    return buttons_->checkedId();
}

void TRadioGroup::SetItemIndex(int index) {
    if (ItemCount() == 0)
        return;
    if (index < 0) {
        if (QAbstractButton* checked = buttons_->checkedButton()) {
            buttons_->setExclusive(false);
            checked->setChecked(false);
            buttons_->setExclusive(true);
        }
        return;
    }
    Item(std::min(index, ItemCount() - 1))->setChecked(true);
}

QString TRadioGroup::ItemCaption() const {
    const QAbstractButton* checked = buttons_->checkedButton();
    return checked != nullptr ? checked->text() : QString();
}

int TRadioGroup::ItemCount() const {
    return static_cast<int>(buttons_->buttons().size());
}

QRadioButton* TRadioGroup::Item(int index) const {
    return qobject_cast<QRadioButton*>(buttons_->button(index));
}

} // namespace controls
