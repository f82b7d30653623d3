#include "tests/support/TextFit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QXmlStreamReader>

namespace testsupport {

namespace {

// Drops the single "&" that marks an access key and keeps a doubled one as one "&".
QString WithoutAccessKey(QString text) {
    return text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
}

// The caption a label, button, check or radio box, or group box shows; empty for other widgets.
QString Caption(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->textFormat() == Qt::RichText ? QString() : label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    return {};
}

QList<const QWidget*> VisibleWidgets(const QWidget* window) {
    QList<const QWidget*> widgets;
    for (const QWidget* widget : window->findChildren<QWidget*>())
        if (widget->isVisibleTo(window) && widget->window() == window)
            widgets << widget;
    return widgets;
}

void AddActions(const QList<QAction*>& actions, QStringList& texts) {
    for (const QAction* action : actions) {
        texts << WithoutAccessKey(action->text()) << action->toolTip();
        if (action->menu() != nullptr)
            AddActions(action->menu()->actions(), texts);
    }
}

// The width a caption needs with what its control draws beside it: indicator and spacing, or the
// style's button margin and frame, or room for the group box's frame corner.
int NeededWidth(const QWidget* widget, const QString& caption) {
    const int text = widget->fontMetrics().horizontalAdvance(WithoutAccessKey(caption));
    const QStyle* style = widget->style();
    const auto metric = [&](QStyle::PixelMetric which) {
        return style->pixelMetric(which, nullptr, widget);
    };
    if (qobject_cast<const QCheckBox*>(widget) != nullptr)
        return metric(QStyle::PM_IndicatorWidth) + metric(QStyle::PM_CheckBoxLabelSpacing) + text;
    if (qobject_cast<const QRadioButton*>(widget) != nullptr)
        return metric(QStyle::PM_ExclusiveIndicatorWidth) + metric(QStyle::PM_RadioButtonLabelSpacing) + text;
    if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
        const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        return text + icon + metric(QStyle::PM_ButtonMargin) + 2 * metric(QStyle::PM_DefaultFrameWidth);
    }
    if (qobject_cast<const QGroupBox*>(widget) != nullptr)
        return text + 2 * widget->fontMetrics().averageCharWidth();
    return text;
}

} // namespace

QStringList ShownTexts(const QWidget* window) {
    QStringList texts{window->windowTitle()};
    for (const QWidget* widget : VisibleWidgets(window)) {
        texts << WithoutAccessKey(Caption(widget)) << widget->toolTip() << widget->accessibleName()
              << widget->accessibleDescription();
        if (const auto* combo = qobject_cast<const QComboBox*>(widget))
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        AddActions(widget->actions(), texts);
    }
    texts.removeAll(QString());
    return texts;
}

QStringList UnfittedTexts(const QWidget* window) {
    QStringList unfitted;
    for (const QWidget* widget : VisibleWidgets(window)) {
        const QString caption = Caption(widget);
        if (caption.isEmpty())
            continue;
        const auto* label = qobject_cast<const QLabel*>(widget);
        const QRect room = label != nullptr ? label->contentsRect() : widget->rect();
        // A word-wrapped label must be high enough, any other caption wide enough.
        const bool wrapped = label != nullptr && label->wordWrap();
        const int needed = wrapped ? label->heightForWidth(room.width()) : NeededWidth(widget, caption);
        const int has = wrapped ? room.height() : room.width();
        if (needed > has)
            unfitted << QStringLiteral("%1 '%2' needs %3, has %4")
                            .arg(widget->objectName(), caption)
                            .arg(needed)
                            .arg(has);
    }
    return unfitted;
}

QSet<QString> TranslatedSources(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the catalogue %s", qPrintable(path));
    QSet<QString> sources;
    QString source;
    for (QXmlStreamReader xml(&file); !xml.atEnd();) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation") && xml.readElementText() != source)
            sources << WithoutAccessKey(source);
    }
    return sources;
}

} // namespace testsupport
