#include "preview/Errors.h"

namespace preview {

namespace {
std::string WithReason(const char* message, const std::string& reason) {
    return reason.empty() ? std::string(message) : std::string(message) + " (" + reason + ")";
}
} // namespace

EReadError::EReadError(const std::string& reason)
    : EStreamError(WithReason("Stream read error", reason)) {}

EWriteError::EWriteError(const std::string& reason)
    : EStreamError(WithReason("Stream write error", reason)) {}

EListError::EListError(int index)
    : std::runtime_error("List index out of bounds (" + std::to_string(index) + ")") {}

EConvertError::EConvertError(const std::string& sourceClass, const std::string& targetClass)
    : std::runtime_error("Cannot assign a " + sourceClass + " to a " + targetClass) {}

} // namespace preview
