#include "calc/U_percentages.h"

#include "calc/DialogLook.h"
#include "controls/DesignedLook.h"
#include "controls/Fonts.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace calc {

TFormPercentage::TFormPercentage(const std::array<std::string, 13>& lines, const QWidget* window)
    : QDialog(nullptr)
    , PercMemo(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("FormPercentage"));
    SetUpDialog(this, tr("Percentages"), QSize(134, 232), QColor(220, 220, 220),
                controls::PixelFont(QStringLiteral("Trebuchet MS"), 11), window);

    PercMemo->setObjectName(QStringLiteral("PercMemo"));
    PercMemo->setGeometry(6, 8, 122, 185);
    PercMemo->setReadOnly(true);
    PercMemo->setFrameShape(QFrame::NoFrame);
    PercMemo->setFocusPolicy(Qt::ClickFocus);
    PercMemo->setAccessibleName(tr("Percentages"));
    PercMemo->setFont(controls::PixelFont(QStringLiteral("Lucida Sans"), 11));
    PercMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    PercMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette palette = PercMemo->palette();
    palette.setColor(QPalette::Base, QColor(220, 220, 220));
    palette.setColor(QPalette::Text, controls::Navy);
    PercMemo->setPalette(palette);
    for (const std::string& line : lines)
        PercMemo->appendPlainText(QString::fromStdString(line));
    PercMemo->moveCursor(QTextCursor::Start);

    OkButton(this, QRect(34, 203, 65, 25))->setFocus();
}

} // namespace calc
