#include "calc/U_convert.h"

#include "calc/DialogLook.h"
#include "controls/Fonts.h"
#include "controls/Placement.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace calc {

namespace {

// The value labels take the room up to the group's right edge, so no number is ever cut.
QLabel* ValueLabel(QGroupBox* group, const char* name, QPoint at, const std::string& value) {
    QLabel* label = controls::FittedLabel(group, name, at, QString::fromStdString(value));
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

TFormConvert::TFormConvert(const TConvertedTension& values, const QWidget* window)
    : QDialog(nullptr) {
    setObjectName(QStringLiteral("FormConvert"));
    SetUpDialog(this, tr("Conversion"), QSize(168, 215), QColor(228, 228, 228),
                controls::PixelFont(QStringLiteral("Tahoma"), 11), window);

    QGroupBox* english = Group(this, "GroupBox1", QRect(8, 8, 152, 81), tr(" English Units "));
    controls::FittedLabel(english, "Label1", QPoint(18, 25), tr("Pounds"));
    controls::FittedLabel(english, "Label2", QPoint(18, 51), tr("Slugs"));
    PoundLabel = ValueLabel(english, "PoundLabel", QPoint(81, 25), values.Pounds);
    SlugLabel = ValueLabel(english, "SlugLabel", QPoint(81, 52), values.Slugs);

    QGroupBox* metric = Group(this, "GroupBox2", QRect(8, 95, 152, 81), tr(" Metric Units "));
    controls::FittedLabel(metric, "Label3", QPoint(18, 24), tr("Kilograms"));
    controls::FittedLabel(metric, "Label4", QPoint(18, 51), tr("Newtons"));
    KilogLabel = ValueLabel(metric, "KilogLabel", QPoint(81, 24), values.Kilograms);
    NewtonLabel = ValueLabel(metric, "NewtonLabel", QPoint(81, 51), values.Newtons);

    OkButton(this, QRect(51, 182, 65, 25))->setFocus();
}

} // namespace calc
