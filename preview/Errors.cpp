#include "preview/Errors.h"
#include "preview/ErrorMessage.h"

#include "common/TranslatedMessage.h"

namespace preview {

namespace {
std::string WithReason(const std::string& message, const std::string& reason) {
    return reason.empty() ? message : message + " (" + reason + ")";
}
} // namespace

std::string Message(const char* english, std::initializer_list<std::string> arguments) {
    return common::TranslatedMessage("preview", english, arguments);
}

EReadError::EReadError(const std::string& reason)
    : EStreamError(WithReason(Message(QT_TRANSLATE_NOOP("preview", "Stream read error")), reason)) {}

EWriteError::EWriteError(const std::string& reason)
    : EStreamError(WithReason(Message(QT_TRANSLATE_NOOP("preview", "Stream write error")), reason)) {}

EListError::EListError(int index)
    : std::runtime_error(
          Message(QT_TRANSLATE_NOOP("preview", "List index out of bounds (%1)"), {std::to_string(index)})) {}

EConvertError::EConvertError(const std::string& sourceClass, const std::string& targetClass)
    : std::runtime_error(
          Message(QT_TRANSLATE_NOOP("preview", "Cannot assign a %1 to a %2"), {sourceClass, targetClass})) {}

} // namespace preview
