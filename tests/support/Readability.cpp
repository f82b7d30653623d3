#include "tests/support/Readability.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace testsupport {

namespace {

double Channel(int value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The colour behind a widget that does not fill itself: that of the nearest parent that does.
QColor BackgroundBehind(const QWidget* widget) {
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget())
        if (w->autoFillBackground() || w->isWindow())
            return w->palette().color(QPalette::Active, QPalette::Window);
    return Qt::white;
}

struct TextCheck {
    QString text;
    QColor foreground;
    QColor background;
};

QColor Role(const QWidget* widget, QPalette::ColorRole role) {
    return widget->palette().color(QPalette::Active, role);
}

// The texts a widget shows and what they are drawn on, by the roles the styles draw them with.
QList<TextCheck> TextsOf(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return {{label->text(), Role(w, QPalette::WindowText), BackgroundBehind(w)}};
    if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w))
        return {{static_cast<const QAbstractButton*>(w)->text(), Role(w, QPalette::WindowText),
                 BackgroundBehind(w)}};
    if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        return {{button->text(), Role(w, QPalette::ButtonText), Role(w, QPalette::Button)}};
    if (const auto* group = qobject_cast<const QGroupBox*>(w))
        return {{group->title(), Role(w, QPalette::WindowText), BackgroundBehind(w)}};
    if (const auto* box = qobject_cast<const QComboBox*>(w)) {
        if (box->isEditable())
            return {{box->currentText(), Role(w, QPalette::Text), Role(w, QPalette::Base)}};
        return {{box->currentText(), Role(w, QPalette::ButtonText), Role(w, QPalette::Button)}};
    }
    QString editText;
    if (const auto* edit = qobject_cast<const QLineEdit*>(w))
        editText = edit->text();
    else if (const auto* memo = qobject_cast<const QPlainTextEdit*>(w))
        editText = memo->toPlainText();
    else if (const auto* rich = qobject_cast<const QTextEdit*>(w))
        editText = rich->toPlainText();
    else if (const auto* view = qobject_cast<const QAbstractItemView*>(w); view && view->model())
        editText = view->model()->rowCount() > 0 ? view->model()->index(0, 0).data().toString() : QString();
    if (!editText.isNull() || qobject_cast<const QAbstractItemView*>(w)) {
        QList<TextCheck> checks{{editText, Role(w, QPalette::Text), Role(w, QPalette::Base)}};
        if (qobject_cast<const QAbstractItemView*>(w))
            checks.append({editText, Role(w, QPalette::HighlightedText), Role(w, QPalette::Highlight)});
        return checks;
    }
    if (qobject_cast<const QMenuBar*>(w) || qobject_cast<const QMenu*>(w)) {
        // Styles draw bar and menu items with either the window or the button roles, menus on Base.
        QList<TextCheck> checks;
        for (const QAction* action : w->actions())
            if (!action->isSeparator())
                for (const auto& [text, back] : {std::pair{QPalette::WindowText, QPalette::Window},
                                                 std::pair{QPalette::ButtonText, QPalette::Button},
                                                 std::pair{QPalette::Text, QPalette::Base}})
                    checks.append({action->text(), Role(w, text), Role(w, back)});
        return checks;
    }
    return {};
}

void Walk(QAccessibleInterface* node, QStringList& unnamed) {
    if (node == nullptr)
        return;
    const QAccessible::State state = node->state();
    if (state.focusable && node->text(QAccessible::Name).trimmed().isEmpty()) {
        const QObject* object = node->object();
        unnamed << (object != nullptr ? QStringLiteral("%1 (%2)").arg(object->objectName(),
                                                                      object->metaObject()->className())
                                      : QStringLiteral("role %1").arg(int(node->role())));
    }
    for (int i = 0; i < node->childCount(); ++i)
        Walk(node->child(i), unnamed);
}

} // namespace

double RelativeLuminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * Channel(rgb.red()) + 0.7152 * Channel(rgb.green()) + 0.0722 * Channel(rgb.blue());
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette DarkPalette() {
    const QColor window(45, 45, 45);
    const QColor text(230, 230, 230);
    QPalette palette(text, window, QColor(70, 70, 70), QColor(20, 20, 20), QColor(40, 40, 40), text,
                     QColor(255, 255, 255), QColor(30, 30, 30), window);
    palette.setColor(QPalette::Button, QColor(55, 55, 55));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Highlight, QColor(42, 130, 218));
    palette.setColor(QPalette::HighlightedText, Qt::black);
    palette.setColor(QPalette::ToolTipBase, QColor(30, 30, 30));
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(127, 127, 127));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(127, 127, 127));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(127, 127, 127));
    return palette;
}

ScopedAppPalette::ScopedAppPalette(const QPalette& palette)
    : previous_(QApplication::palette()) {
    QApplication::setPalette(palette);
}

ScopedAppPalette::~ScopedAppPalette() {
    QApplication::setPalette(previous_);
}

ContrastReport MeasureContrast(const QWidget* window, double minimum) {
    ContrastReport report;
    QList<const QWidget*> widgets{window};
    for (const QWidget* child : window->findChildren<QWidget*>())
        widgets << child;
    for (const QWidget* w : widgets) {
        const bool menu = qobject_cast<const QMenu*>(w) != nullptr; // shown only when opened
        if ((!menu && !w->isVisible()) || !w->isEnabled())
            continue;
        for (const TextCheck& check : TextsOf(w)) {
            if (check.text.trimmed().isEmpty())
                continue;
            ++report.checked;
            const double ratio = ContrastRatio(check.foreground, check.background);
            if (ratio < minimum)
                report.poor << QStringLiteral("%1 '%2' %3:1 (%4 on %5)")
                                   .arg(w->objectName(), check.text)
                                   .arg(ratio, 0, 'f', 2)
                                   .arg(check.foreground.name(), check.background.name());
        }
    }
    return report;
}

QStringList UnnamedFocusableControls(QWidget* window) {
    QStringList unnamed;
    Walk(QAccessible::queryAccessibleInterface(window), unnamed);
    return unnamed;
}

} // namespace testsupport
