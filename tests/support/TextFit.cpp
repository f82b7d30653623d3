#include "tests/support/TextFit.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontMetrics>
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
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
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
        if (action->isSeparator())
            continue;
        texts << WithoutAccessKey(action->text()) << action->toolTip();
        if (action->menu() != nullptr)
            AddActions(action->menu()->actions(), texts);
    }
}

// The width a control's text needs beside what the control itself draws (indicator, frame, margins);
// -1 for a control whose text is not measured.
int NeededWidth(const QWidget* widget, const QString& text) {
    const QFontMetrics metrics = widget->fontMetrics();
    const int textWidth = metrics.horizontalAdvance(WithoutAccessKey(text));
    const QStyle* style = widget->style();
    if (const auto* box = qobject_cast<const QCheckBox*>(widget))
        return style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box) +
               style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box) + textWidth;
    if (const auto* radio = qobject_cast<const QRadioButton*>(widget))
        return style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, radio) +
               style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, radio) + textWidth;
    if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
        const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        // What the style adds around a button's contents: its margin and a frame on either side.
        return textWidth + icon + style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
               2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    }
    if (qobject_cast<const QGroupBox*>(widget) != nullptr)
        return textWidth + 2 * metrics.averageCharWidth();
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->textFormat() == Qt::RichText ? -1 : textWidth + 2 * label->margin();
    return -1;
}

QString Report(const QWidget* widget, const QString& text, int needed, int has) {
    return QStringLiteral("%1 '%2' needs %3, has %4").arg(widget->objectName(), text).arg(needed).arg(has);
}

} // namespace

QStringList ShownTexts(const QWidget* window) {
    QStringList texts{window->windowTitle()};
    for (const QWidget* widget : VisibleWidgets(window)) {
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            texts << WithoutAccessKey(label->text());
        else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            texts << WithoutAccessKey(button->text());
        else if (const auto* group = qobject_cast<const QGroupBox*>(widget))
            texts << WithoutAccessKey(group->title());
        else if (const auto* combo = qobject_cast<const QComboBox*>(widget))
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        texts << widget->toolTip() << widget->accessibleName() << widget->accessibleDescription();
        AddActions(widget->actions(), texts);
    }
    texts.removeAll(QString());
    return texts;
}

QStringList UnfittedTexts(const QWidget* window) {
    QStringList unfitted;
    for (const QWidget* widget : VisibleWidgets(window)) {
        QString text;
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            text = label->text();
        else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            text = button->text();
        else if (const auto* group = qobject_cast<const QGroupBox*>(widget))
            text = group->title();
        if (text.isEmpty())
            continue;
        const auto* label = qobject_cast<const QLabel*>(widget);
        if (label != nullptr && label->wordWrap()) {
            const int needed = label->heightForWidth(label->contentsRect().width());
            if (needed > label->contentsRect().height())
                unfitted << Report(widget, text, needed, label->contentsRect().height()) +
                                QStringLiteral(" high");
            continue;
        }
        const int needed = NeededWidth(widget, text);
        const int has = label != nullptr ? label->contentsRect().width() : widget->width();
        if (needed > has)
            unfitted << Report(widget, text, needed, has);
    }
    return unfitted;
}

QSet<QString> TranslatedSources(const QString& path) {
    QSet<QString> sources;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the catalogue %s", qPrintable(path));
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString translation = xml.readElementText();
            if (!translation.isEmpty() && translation != source)
                sources << WithoutAccessKey(source);
        }
    }
    return sources;
}

} // namespace testsupport
