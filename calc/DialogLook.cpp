#include "calc/DialogLook.h"

#include "calc/ToolIcon.h"
#include "controls/DesignedLook.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QPushButton>

namespace calc {

void SetUpDialog(QDialog* dialog, const QString& caption, QSize client, const QColor& colour,
                 const QFont& font, const QWidget* window) {
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    dialog->setWindowTitle(caption);
    dialog->setFixedSize(client);
    dialog->setFont(font);
    controls::SetDesignedLook(dialog, colour);
    if (window != nullptr) {
        QRect frame(QPoint(), client);
        frame.moveCenter(window->frameGeometry().center());
        dialog->move(frame.topLeft());
    }
}

QPushButton* OkButton(QDialog* dialog, QRect rect) {
    auto* button = new QPushButton(ToolIcon(QStringLiteral("ok")),
                                   QCoreApplication::translate("calc::OkButton", "OK"), dialog);
    button->setObjectName(QStringLiteral("BitBtn1"));
    button->setGeometry(rect);
    button->setDefault(true);
    QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::accept);
    return button;
}

} // namespace calc
