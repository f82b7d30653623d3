#include "preview/CupsLibrary.h"

#include "preview/ErrorMessage.h"
#include "preview/Printer.h"

#include <dlfcn.h>

#include <string>
#include <type_traits>

namespace preview {

namespace {

constexpr char CupsSoname[] = "libcups.so.2";

TCupsLibrary Bind() {
    // Never closed: the functions stay valid for the rest of the program.
    void* handle = ::dlopen(CupsSoname, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        throw EPrintError(
            Message(QT_TRANSLATE_NOOP("preview", "Cannot print: the CUPS library %1 cannot be loaded: %2"),
                    {CupsSoname, ::dlerror()}));
    TCupsLibrary library;
    const auto bind = [handle](auto& function, const char* name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(::dlsym(handle, name));
        if (function == nullptr)
            throw EPrintError(
                Message(QT_TRANSLATE_NOOP("preview", "Cannot print: the CUPS library %1 has no %2"),
                        {CupsSoname, name}));
    };
#define HANDVISE_CUPS_BIND(name) bind(library.name, #name);
    HANDVISE_CUPS_FUNCTIONS(HANDVISE_CUPS_BIND)
#undef HANDVISE_CUPS_BIND
    return library;
}

} // namespace

const TCupsLibrary& Cups() {
    static const TCupsLibrary library = Bind(); // a failed binding leaves it unset for the next call
    return library;
}

} // namespace preview
