// Calculator main window (placeholder until the window is built).
#pragma once
#include <QWidget>
namespace calc {
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
};
} // namespace calc
