// The profile file: read whole into one static area, searched line by line,
// written back whole. Every loop is bounded by the file's length.
#include "persistence/ini_file.h"

#include <cstdio>
#include <cstring>

#include "persistence/settings_store.h"
#include "platform/files.h"

namespace {

char fileScratch[kIniFileBytes];
char outScratch[kIniFileBytes];
int32_t g_length = 0;

// Where a key stands, or would go.
struct IniSpot {
    bool sectionFound;
    int32_t insertAt;      // after the section's last key line (or its header)
    bool keyFound;
    int32_t lineStart;     // the key's line, newline included
    int32_t lineEnd;
    int32_t valueStart;    // the value without blanks and quotes
    int32_t valueEnd;
};

// Reads the file; a missing file is an empty one. False when it cannot be
// read whole.
bool load(const char* path) {
    g_length = 0;
    FILE* f = open_file(path, "rb");
    if (f == nullptr) return file_kind(path) == PathMissing;
    g_length = static_cast<int32_t>(std::fread(fileScratch, 1, kIniFileBytes, f));
    bool whole = std::fgetc(f) == EOF && !std::ferror(f);
    std::fclose(f);
    return whole;
}

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

void trim(int32_t* a, int32_t* b) {
    while (*a < *b && is_blank(fileScratch[*a])) ++*a;
    while (*b > *a && is_blank(fileScratch[*b - 1])) --*b;
}

// Compares fileScratch[a, b) with name, ASCII letters without regard to case.
bool same_name(int32_t a, int32_t b, const char* name) {
    size_t n = std::strlen(name);
    if (static_cast<size_t>(b - a) != n) return false;
    for (size_t i = 0; i < n; ++i) {
        char x = fileScratch[a + static_cast<int32_t>(i)], y = name[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// Looks at one trimmed line [a, b) ending (newline included) at next.
void visit_line(int32_t start, int32_t a, int32_t b, int32_t next, const char* section, const char* key,
                bool* inSection, IniSpot* spot) {
    if (a == b || fileScratch[a] == ';') return;
    if (fileScratch[a] == '[') {
        int32_t close = a + 1;
        while (close < b && fileScratch[close] != ']') ++close;
        int32_t na = a + 1, nb = close;
        trim(&na, &nb);
        *inSection = !spot->sectionFound && same_name(na, nb, section);
        if (*inSection) spot->sectionFound = true, spot->insertAt = next;
        return;
    }
    if (!*inSection) return;
    spot->insertAt = next;
    const char* eq = static_cast<const char*>(std::memchr(fileScratch + a, '=', static_cast<size_t>(b - a)));
    int32_t ka = a, kb = eq != nullptr ? static_cast<int32_t>(eq - fileScratch) : b;
    trim(&ka, &kb);
    if (spot->keyFound || !same_name(ka, kb, key)) return;
    int32_t va = eq != nullptr ? static_cast<int32_t>(eq - fileScratch) + 1 : b, vb = b;
    trim(&va, &vb);
    if (vb - va >= 2 && (fileScratch[va] == '"' || fileScratch[va] == '\'') && fileScratch[vb - 1] == fileScratch[va]) ++va, --vb;
    *spot = {true, spot->insertAt, true, start, next, va, vb};
}

IniSpot locate(const char* section, const char* key) {
    IniSpot spot = {false, g_length, false, 0, 0, 0, 0};
    bool inSection = false;
    for (int32_t start = 0; start < g_length;) {
        const char* newline = static_cast<const char*>(std::memchr(fileScratch + start, '\n', g_length - start));
        int32_t end = newline != nullptr ? static_cast<int32_t>(newline - fileScratch) : g_length;
        int32_t next = newline != nullptr ? end + 1 : g_length;
        int32_t a = start, b = end;
        trim(&a, &b);
        visit_line(start, a, b, next, section, key, &inSection, &spot);
        start = next;
    }
    return spot;
}

// Appends text to outScratch at *at; false when it does not fit.
bool put(int32_t* at, const char* text, int32_t length) {
    if (*at + length > kIniFileBytes) return false;
    std::memcpy(outScratch + *at, text, static_cast<size_t>(length));
    *at += length;
    return true;
}

bool put_text(int32_t* at, const char* text) { return put(at, text, static_cast<int32_t>(std::strlen(text))); }

}  // namespace

int32_t ini_read_text(const char* path, const char* section, const char* key, const char* def, char* out,
                      int32_t capacity) {
    if (capacity <= 0) return 0;
    load(path);
    IniSpot spot = locate(section, key);
    const char* value = spot.keyFound ? fileScratch + spot.valueStart : def;
    int32_t length = spot.keyFound ? spot.valueEnd - spot.valueStart : static_cast<int32_t>(std::strlen(def));
    if (length > capacity - 1) {
        // The value is not terminated in the file: measure a terminated copy.
        std::memcpy(outScratch, value, static_cast<size_t>(capacity));
        outScratch[capacity] = '\0';
        length = char_boundary_length(outScratch, capacity - 1);
    }
    std::memmove(out, value, static_cast<size_t>(length));
    out[length] = '\0';
    return length;
}

int32_t ini_read_int(const char* path, const char* section, const char* key, int32_t def) {
    load(path);
    IniSpot spot = locate(section, key);
    if (!spot.keyFound || spot.valueStart == spot.valueEnd) return def;
    int32_t i = spot.valueStart;
    bool negative = fileScratch[i] == '-';
    if (fileScratch[i] == '-' || fileScratch[i] == '+') ++i;
    uint32_t value = 0;
    for (; i < spot.valueEnd && fileScratch[i] >= '0' && fileScratch[i] <= '9'; ++i) value = value * 10 + (fileScratch[i] - '0');
    return static_cast<int32_t>(negative ? 0u - value : value);
}

int32_t ini_write(const char* path, const char* section, const char* key, const char* value) {
    if (!load(path)) return 1;
    IniSpot spot = locate(section, key);
    int32_t cut = spot.keyFound ? spot.lineStart : spot.insertAt;
    int32_t resume = spot.keyFound ? spot.lineEnd : spot.insertAt;
    // A last line without its line break gets one before anything is added.
    bool needsBreak = cut > 0 && cut <= g_length && fileScratch[cut - 1] != '\n';
    int32_t at = 0;
    bool ok = put(&at, fileScratch, cut);
    if (needsBreak) ok = ok && put_text(&at, "\r\n");
    if (!spot.sectionFound) ok = ok && put_text(&at, "[") && put_text(&at, section) && put_text(&at, "]\r\n");
    ok = ok && put_text(&at, key) && put_text(&at, "=") && put_text(&at, value) && put_text(&at, "\r\n");
    ok = ok && put(&at, fileScratch + resume, g_length - resume);
    if (!ok) return 1;
    FILE* f = open_file(path, "wb");
    if (f == nullptr) return 1;
    bool written = std::fwrite(outScratch, 1, static_cast<size_t>(at), f) == static_cast<size_t>(at);
    return std::fclose(f) == 0 && written ? 0 : 1;
}
