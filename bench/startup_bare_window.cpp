// The yardstick of the start-up benchmark: the smallest Qt Widgets program with a window, a label in a
// QApplication, built with the same compiler and flags as the suite's programs.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QLabel label(QStringLiteral("A bare Qt window"));
    label.show();
    return QApplication::exec();
}
