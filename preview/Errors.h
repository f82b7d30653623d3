// Failures the print preview component raises; what() carries the message shown to the user.
#pragma once

#include <QtGlobal>

#include <initializer_list>
#include <stdexcept>
#include <string>

namespace preview {

// The component's message `english` in the language in force, with %1, %2, ... replaced by `arguments`
// in order. Its literal is marked QT_TRANSLATE_NOOP("preview", ...), so that the catalogues have it.
std::string Message(const char* english, std::initializer_list<std::string> arguments = {});

// A byte stream could not be read, written or positioned.
class EStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "Stream read error", with the reason when one is known.
class EReadError : public EStreamError {
public:
    explicit EReadError(const std::string& reason = {});
};

// "Stream write error", with the reason when one is known.
class EWriteError : public EStreamError {
public:
    explicit EWriteError(const std::string& reason = {});
};

// A page index outside the list: "List index out of bounds (%d)".
class EListError : public std::runtime_error {
public:
    explicit EListError(int index);
};

// An assignment between classes that cannot take each other's values: "Cannot assign a %s to a %s".
class EConvertError : public std::runtime_error {
public:
    EConvertError(const std::string& sourceClass, const std::string& targetClass);
};

// Memory for a new page or picture could not be had, e.g. "There is not enough memory to create a new page".
class EOutOfMemory : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace preview
