// A label that reports a click: a left-button press and release inside it.
#pragma once

#include <QLabel>

namespace controls {

class TClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace controls
