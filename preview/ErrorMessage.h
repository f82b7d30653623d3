// The component's messages in the language in force, for the failures it raises.
#pragma once

#include <QtGlobal>

#include <initializer_list>
#include <string>

namespace preview {

// The component's message `english` in the language in force, with %1, %2, ... replaced by `arguments`
// in order. Its literal is marked QT_TRANSLATE_NOOP("preview", ...), so that the catalogues have it.
std::string Message(const char* english, std::initializer_list<std::string> arguments = {});

} // namespace preview
