// Failure messages in the language in force, for the libraries that report failures as exceptions with a
// std::string message (the preview component, the PDF library): one definition for libraries that do not
// link each other (header only).
#pragma once

#include <QCoreApplication>
#include <QString>

#include <cstddef>
#include <initializer_list>
#include <string>

namespace common {

// `english` translated in `context`, with %1, %2, ... replaced by `arguments` in order, in one pass, so
// that a "%2" inside an argument stays as it is. Mark the literal with QT_TRANSLATE_NOOP(context, ...) so
// that the catalogues have it.
inline std::string TranslatedMessage(const char* context, const char* english,
                                     std::initializer_list<std::string> arguments = {}) {
    const QString text = QCoreApplication::translate(context, english);
    QString message;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int number = i + 1 < text.size() && text[i] == u'%' ? text[i + 1].digitValue() : -1;
        if (number >= 1 && static_cast<std::size_t>(number) <= arguments.size()) {
            message += QString::fromStdString(*(arguments.begin() + (number - 1)));
            ++i;
        } else {
            message += text[i];
        }
    }
    return message.toStdString();
}

} // namespace common
