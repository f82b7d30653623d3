#include "calc/U_convert.h"

#include "calc/DialogLook.h"
#include "controls/Fonts.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace calc {

namespace {

QLabel* Label(QWidget* parent, const char* name, QPoint at, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(at);
    label->adjustSize();
    return label;
}

// The value labels take the room up to the group's right edge, so no number is ever cut.
QLabel* ValueLabel(QGroupBox* group, const char* name, QPoint at, const std::string& value) {
    QLabel* label = Label(group, name, at, QString::fromStdString(value));
    label->resize(group->width() - at.x() - 4, label->height());
    return label;
}

QGroupBox* Group(QWidget* parent, const char* name, QRect rect, const QString& caption) {
    auto* group = new QGroupBox(caption, parent);
    group->setObjectName(QLatin1String(name));
    group->setGeometry(rect);
    return group;
}

} // namespace

TFormConvert::TFormConvert(const ConvertedTension& values, const QWidget* window)
    : QDialog(nullptr) {
    setObjectName(QStringLiteral("FormConvert"));
    SetUpDialog(this, QStringLiteral("Conversion"), QSize(168, 215), QColor(228, 228, 228),
                controls::PixelFont(QStringLiteral("Tahoma"), 11), window);

    QGroupBox* english = Group(this, "GroupBox1", QRect(8, 8, 152, 81), QStringLiteral(" English Units "));
    Label(english, "Label1", QPoint(18, 25), QStringLiteral("Pounds"));
    Label(english, "Label2", QPoint(18, 51), QStringLiteral("Slugs"));
    PoundLabel = ValueLabel(english, "PoundLabel", QPoint(81, 25), values.Pounds);
    SlugLabel = ValueLabel(english, "SlugLabel", QPoint(81, 52), values.Slugs);

    QGroupBox* metric = Group(this, "GroupBox2", QRect(8, 95, 152, 81), QStringLiteral(" Metric Units "));
    Label(metric, "Label3", QPoint(18, 24), QStringLiteral("Kilograms"));
    Label(metric, "Label4", QPoint(18, 51), QStringLiteral("Newtons"));
    KilogLabel = ValueLabel(metric, "KilogLabel", QPoint(81, 24), values.Kilograms);
    NewtonLabel = ValueLabel(metric, "NewtonLabel", QPoint(81, 51), values.Newtons);

    OkButton(this, QRect(51, 182, 65, 25))->setFocus();
}

} // namespace calc
