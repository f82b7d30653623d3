// A stand-in for the PDF library that logs its calls in memory and fails on request, so that the
// binding and its call order can be checked without writing PDF files. Built three times: with the
// required entry points only, without NewPage (FAKE_DSPDF_WITHOUT_NEWPAGE) to stand for a library that
// lacks one, and with the optional SetDocInfo (FAKE_DSPDF_WITH_DOCINFO).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
std::string log;         // NOLINT
std::string failEntry;   // NOLINT: the entry point that fails, with its failCall-th call
int failCall = 0;        // NOLINT
std::string failMessage; // NOLINT
std::string lastError;   // NOLINT
int calls = 0;           // NOLINT

int Logged(const char* entry, const std::string& arguments) {
    log += entry;
    log += arguments;
    log += '\n';
    if (failEntry == entry && ++calls == failCall) {
        lastError = failMessage;
        return 7;
    }
    return 0;
}
// Tells a test that the library was loaded at all: its initialisers run at dlopen, before any check of
// where it came from could reject it.
__attribute__((constructor)) void AnnounceLoading() {
    if (std::getenv("FAKE_DSPDF_ANNOUNCE") != nullptr)
        std::fputs("fake library initialised\n", stderr);
}
} // namespace

extern "C" {

__attribute__((visibility("default"))) int BeginDoc(const char* fileName) {
    return Logged("BeginDoc", std::string("(") + (fileName != nullptr ? fileName : "null") + ")");
}
__attribute__((visibility("default"))) int EndDoc() {
    return Logged("EndDoc", "");
}
#ifndef FAKE_DSPDF_WITHOUT_NEWPAGE
__attribute__((visibility("default"))) int NewPage() {
    return Logged("NewPage", "");
}
#endif
__attribute__((visibility("default"))) int SetPage(int paperCode, int orientation, int width, int height) {
    // Built from a std::string first: g++ 12 warns falsely (-Wrestrict) on "literal" + std::string&&.
    std::string arguments = "(";
    arguments += std::to_string(paperCode) + "," + std::to_string(orientation) + "," + std::to_string(width) +
                 "," + std::to_string(height) + ")";
    return Logged("SetPage", arguments);
}
__attribute__((visibility("default"))) int PrintPageM(const void* bytes, int count) {
    std::string arguments = "(";
    arguments.append(static_cast<const char*>(bytes), static_cast<std::size_t>(count)) += ")";
    return Logged("PrintPageM", arguments);
}
__attribute__((visibility("default"))) int PrintPageF(const char* fileName) {
    return Logged("PrintPageF", std::string("(") + fileName + ")");
}
#ifdef FAKE_DSPDF_WITH_DOCINFO
__attribute__((visibility("default"))) int SetDocInfo(const char* title, const char* language) {
    return Logged("SetDocInfo", std::string("(") + title + "," + language + ")");
}
#endif
__attribute__((visibility("default"))) const char* LastError() {
    return lastError.c_str();
}

// Test controls: the log so far, and the `call`-th call of `entry` failing with `message`.
__attribute__((visibility("default"))) const char* FakeLog() {
    return log.c_str();
}
// The log's length: page bytes hold zero bytes, which end the log as a C string.
__attribute__((visibility("default"))) int FakeLogSize() {
    return static_cast<int>(log.size());
}
__attribute__((visibility("default"))) void FakeReset(const char* entry, int call, const char* message) {
    log.clear();
    lastError.clear();
    failEntry = entry != nullptr ? entry : "";
    failCall = call;
    failMessage = message != nullptr ? message : "";
    calls = 0;
}
}
