// Generates resources/messages.h from resources/messages.txt: every user text
// of the program (messages, captions, labels), written readably in UTF-8,
// becomes a Shift_JIS string constant. The conversion is the program's own
// code-page 932 one, so the bytes are those Windows gives.
//
//   gen_messages SOURCE HEADER           writes HEADER
//   gen_messages --check SOURCE HEADER   exit 1 when HEADER is not what SOURCE gives
//
// SOURCE: one text a line, "name<TAB>text"; the text is the body of a C string
// literal (escapes such as \n and \" stay as written). Blank lines and lines
// starting with "#" are skipped; a "#" line is copied as a comment.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/codepage.h"

static bool read_file(const char* path, std::string* out) {
    FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return false;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) out->append(buffer, n);
    bool ok = std::ferror(f) == 0;
    std::fclose(f);
    return ok;
}

static bool is_hex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Appends text as a C literal body: ASCII as written, every other character
// as its Shift_JIS bytes in \x escapes. False when a character has no form.
static bool append_literal(const std::string& text, std::string* out) {
    static uint16_t units[8192];
    static char sjis[16384];
    if (text.size() > sizeof units / sizeof units[0]) return false;
    int32_t n = utf8_to_utf16(text.data(), static_cast<int32_t>(text.size()), units);
    bool usedDefault = false;
    int32_t m = utf16_to_cp932(units, n, sjis, nullptr, &usedDefault);
    if (usedDefault) return false;
    bool afterEscape = false;
    bool trail = false;   // the byte after a lead byte: a "\\" or "\"" there is no escape
    for (int32_t i = 0; i < m; ++i) {
        unsigned char c = static_cast<unsigned char>(sjis[i]);
        bool isTrail = trail;
        trail = !trail && ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC));
        if (c >= 0x80 || (isTrail && (c == '\\' || c == '"'))) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            *out += hex;
            afterEscape = true;
            continue;
        }
        // A hex digit after an escape would extend it: close the literal.
        if (afterEscape && is_hex(static_cast<char>(c))) *out += "\" \"";
        *out += static_cast<char>(c);
        afterEscape = false;
    }
    return true;
}

static bool valid_name(const std::string& name) {
    if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
    for (char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) return false;
    return true;
}

// Builds the header text; false (with a message) on a bad line.
static bool generate(const std::string& source, std::string* out) {
    *out = "// Generated from resources/messages.txt by tools/gen_messages: edit that file,\n"
           "// then rebuild and run the target gen_messages_update. Every user text of the\n"
           "// program in Shift_JIS, the UTF-8 original beside it.\n"
           "#pragma once\n";
    size_t pos = 0;
    int line = 0;
    bool inComment = false;
    while (pos < source.size()) {
        size_t end = source.find('\n', pos);
        if (end == std::string::npos) end = source.size();
        std::string text = source.substr(pos, end - pos);
        pos = end + 1;
        ++line;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (text.empty()) {
            inComment = false;
            continue;
        }
        if (text[0] == '#') {
            // A run of comment lines stays one block, a blank line before it.
            *out += (inComment ? "//" : "\n//") + text.substr(1) + "\n";
            inComment = true;
            continue;
        }
        inComment = false;
        size_t tab = text.find('\t');
        std::string name = text.substr(0, tab);
        if (tab == std::string::npos || !valid_name(name)) {
            std::fprintf(stderr, "gen_messages: line %d: expected name<TAB>text\n", line);
            return false;
        }
        std::string body = text.substr(tab + 1);
        *out += "constexpr char " + name + "[] = \"";
        if (!append_literal(body, out)) {
            std::fprintf(stderr, "gen_messages: line %d: %s has a character without a Shift_JIS form\n", line,
                         name.c_str());
            return false;
        }
        *out += "\";  // " + body + "\n";
    }
    return true;
}

int main(int argc, char** argv) {
    bool check = argc == 4 && std::strcmp(argv[1], "--check") == 0;
    if (argc != 3 && !check) {
        std::fprintf(stderr, "usage: gen_messages [--check] SOURCE HEADER\n");
        return 2;
    }
    const char* sourcePath = argv[argc - 2];
    const char* headerPath = argv[argc - 1];
    std::string source, header, current;
    if (!read_file(sourcePath, &source)) {
        std::fprintf(stderr, "gen_messages: cannot read %s\n", sourcePath);
        return 1;
    }
    if (!generate(source, &header)) return 1;
    if (check) {
        if (read_file(headerPath, &current) && current == header) return 0;
        std::fprintf(stderr, "gen_messages: %s is out of date with %s; build the target gen_messages_update\n",
                     headerPath, sourcePath);
        return 1;
    }
    FILE* f = std::fopen(headerPath, "wb");
    if (f == nullptr || std::fwrite(header.data(), 1, header.size(), f) != header.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "gen_messages: cannot write %s\n", headerPath);
        return 1;
    }
    return 0;
}
