// A program without Qt that writes a PDF through the library beside it, as a foreign host would:
//   dspdf_plain_host <output.pdf> <page bytes file>
// Page 1 is A4 portrait from the file by name, page 2 a 150 x 100 mm landscape page from the same
// bytes in memory. Prints the library's message and exits with 1 on the first failed call.
#include <dlfcn.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {
template <class F> F Entry(void* library, const char* name) {
    return reinterpret_cast<F>(dlsym(library, name));
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s output.pdf page-bytes\n", argv[0]);
        return 2;
    }
    std::string self = argv[0];
    const std::string folder = self.substr(0, self.rfind('/') + 1);
    void* library = dlopen((folder + "libdspdf.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        std::fprintf(stderr, "%s\n", dlerror());
        return 2;
    }
    const auto beginDoc = Entry<int (*)(const char*)>(library, "BeginDoc");
    const auto endDoc = Entry<int (*)()>(library, "EndDoc");
    const auto newPage = Entry<int (*)()>(library, "NewPage");
    const auto setPage = Entry<int (*)(int, int, int, int)>(library, "SetPage");
    const auto printPageM = Entry<int (*)(const void*, int)>(library, "PrintPageM");
    const auto printPageF = Entry<int (*)(const char*)>(library, "PrintPageF");
    const auto lastError = Entry<const char* (*)()>(library, "LastError");
    if (!beginDoc || !endDoc || !newPage || !setPage || !printPageM || !printPageF || !lastError)
        return 2;

    std::ifstream in(argv[2], std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const bool ok = beginDoc(argv[1]) == 0 && setPage(2, 0, 21000, 29700) == 0 && printPageF(argv[2]) == 0 &&
                    newPage() == 0 && setPage(0, 1, 15000, 10000) == 0 &&
                    printPageM(bytes.data(), static_cast<int>(bytes.size())) == 0;
    const bool ended = endDoc() == 0;
    if (!ok || !ended) {
        std::printf("%s\n", lastError());
        return 1;
    }
    return 0; // the library stays loaded to the end, as the programs keep it
}
