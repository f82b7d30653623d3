// A captioned group of radio items of which one is chosen, addressed by index like a list.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace controls {

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    // -1 when no item is chosen.
    int ItemIndex() const;
    // An index past the last item chooses the last; a negative one clears the choice.
    void SetItemIndex(int index);
    // The caption of the chosen item; empty when none is chosen.
    QString ItemCaption() const;

    int ItemCount() const;
    QRadioButton* Item(int index) const;

signals:
    void ItemIndexChanged(int index);

private:
    void KeepTabStopOnChecked();

    QButtonGroup* buttons_;
};

} // namespace controls
