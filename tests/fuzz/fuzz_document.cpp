// Text documents: any bytes read as a document (in the mode the first byte
// picks), written back with all modes or the current mode, read again and
// written again: the second write gives the bytes of the first. The format
// has two exceptions, both in the multi-line fields (text, mail body): a line
// that looks like a section header ends the field when read back, and a line
// longer than a document line is cut. With either, the next round trip must
// be the stable one.
#include <cstdio>
#include <string>

#include "payload/payload.h"
#include "persistence/documents.h"
#include "settings/settings_tables.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

void read_file_into_form(const std::string& path, int32_t mode) {
    clear_form(&g_form);
    g_form.mode = mode;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) fuzz_fail("cannot open %s", path.c_str());
    read_document(f);
    std::fclose(f);
}

std::string write_form(const std::string& path, int32_t kind) {
    FUZZ_CHECK(write_document(path.c_str(), kind) == 0, "write_document(kind %d) failed", kind);
    return fuzz_file_bytes(path);
}

// A line of the multi-line fields that reading the written document would
// not give back whole: one that looks like a header ("< X ... >"), or one
// longer than a document line.
bool changes_when_read_back(const char* field) {
    std::string text = field;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (line.size() > static_cast<size_t>(kDocumentLineBytes)) return true;
        if (line.size() + 2 > 7 && line[0] == '<' && line[1] == ' ' && line[2] != ' ' &&
            line.compare(line.size() - 2, 2, " >") == 0) {
            return true;
        }
        start = end + 2;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    reset_settings_tables();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in = {data, size, 0};
    const int32_t mode = take_byte(&in) % 3;
    const int32_t kind = take_byte(&in) % 2 == 0 ? AllModes : CurrentMode;
    const std::string folder = fuzz_folder();
    std::string document = take_rest(&in);
    fuzz_write_file(folder + "in.txt", document.data(), document.size());

    read_file_into_form(folder + "in.txt", mode);
    FUZZ_CHECK(g_form.mode == mode, "reading changed the mode");
    const bool exception = changes_when_read_back(form_field(&g_form, ControlText)) ||
                           changes_when_read_back(form_field(&g_form, ControlBody));
    std::string first = write_form(folder + "first.txt", kind);
    read_file_into_form(folder + "first.txt", mode);
    std::string second = write_form(folder + "second.txt", kind);
    if (exception) {
        first = second;
        read_file_into_form(folder + "second.txt", mode);
        second = write_form(folder + "third.txt", kind);
    }
    FUZZ_CHECK(first == second, "mode %d kind %d: a write differs from the one before it:\n%s\n%s", mode, kind,
               printable(first).c_str(), printable(second).c_str());
    return 0;
}
