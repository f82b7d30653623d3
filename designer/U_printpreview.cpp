#include "designer/U_printpreview.h"

#include <QFont>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

namespace designer {

namespace {

// The settings of a week start one column apart on the sheet whatever their length; in monospaced
// text the widest setting ("8, 10, 12") sets that column.
constexpr qsizetype SettingColumn = 9;
const QString Absent = QStringLiteral("0");

QFont RoutineFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                      QStringLiteral("DejaVu Sans Mono")});
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(13);
    return font;
}

} // namespace

QStringList RoutineLines(const CycleTable& cycle) {
    QStringList lines;
    for (std::size_t week = 0; week < cycle.size(); ++week) {
        lines << QStringLiteral("Week : %1").arg(week + 1);
        for (const model::Talpha& set : cycle[week]) {
            const QString reps = QString::fromStdString(set.RepsText);
            if (reps == Absent)
                continue;
            const QString setting = QString::fromStdString(set.SettingText);
            lines << QStringLiteral("  ") + setting.leftJustified(std::max(SettingColumn, setting.size())) +
                         QStringLiteral(" (") + QString::fromStdString(set.TensionText) +
                         QStringLiteral(") x ") + reps;
        }
        lines << QString();
    }
    return lines;
}

TForm2::TForm2(const CycleTable& cycle, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Print Preview"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(300, 460);

    RoutineText = new QPlainTextEdit(this);
    RoutineText->setObjectName(QStringLiteral("RoutineText"));
    RoutineText->setGeometry(8, 8, 284, 405);
    RoutineText->setReadOnly(true);
    RoutineText->setFont(RoutineFont());
    RoutineText->setLineWrapMode(QPlainTextEdit::NoWrap);
    RoutineText->setPlainText(RoutineLines(cycle).join(QLatin1Char('\n')).trimmed());

    Button1 = new QPushButton(QStringLiteral("Cancel"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(192, 424, 100, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace designer
