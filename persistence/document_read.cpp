// Reading text documents into the form: the file as Windows' text mode
// delivers it, tabs removed, walked line by line through its sections.
// Fixed buffers only.
#include "persistence/documents.h"

#include <cstring>

#include "payload/payload.h"
#include "persistence/outlook_import.h"
#include "persistence/text_mode.h"

namespace {

enum Section : int32_t { NoSection = -1, UnknownSection = 0, TextSection = 1, MailSection = 2, AddressSection = 3 };

const char* const kHeaders[3] = {"< Text >\r\n", "< Mail >\r\n", "< Address >\r\n"};

// A multi-line value holds one field plus one line before it is cut.
const int32_t kValueBytes = 40960;
const int32_t kLineBytes = 2050;

char g_text[kDocumentBytes];
char g_line[kLineBytes];
char g_value[kValueBytes];

struct ReadState {
    int32_t section;
    int32_t line;          // within the section; the first line after a header is 1
    int32_t field;         // control of the multi-line field being collected
    bool collecting;
    int32_t valueLength;
};

// Step 1: the file into g_text, LF stored as CR LF, ending at the end of the
// file, at 0x1A or at a 0xFF byte. Returns the length.
int32_t load_text(FILE* file) {
    const int32_t limit = kDocumentBytes - 2;
    TextModeReader reader;
    init_text_mode_reader(&reader, file);
    int32_t n = 0;
    for (int c = text_mode_getc(&reader); c >= 0 && c != 0xFF; c = text_mode_getc(&reader)) {
        if (c == '\n') {
            if (n + 2 > limit) break;
            g_text[n++] = '\r';
        } else if (n + 1 > limit) {
            break;
        }
        g_text[n++] = static_cast<char>(c);
    }
    g_text[n] = '\0';
    return n;
}

// Tabs are never trail bytes, so a byte-wise pass removes whole characters.
void remove_tabs() {
    int32_t out = 0;
    for (int32_t i = 0; g_text[i] != '\0'; ++i) {
        if (g_text[i] != '\t') g_text[out++] = g_text[i];
    }
    g_text[out] = '\0';
}

// Puts a single-line field: trailing CR LFs removed, cut to 200 bytes (a
// halved double-byte character leaves a blank).
void put_single(int32_t control) {
    size_t n = std::strlen(g_line);
    while (n >= 2 && g_line[n - 2] == '\r' && g_line[n - 1] == '\n') n -= 2;
    g_line[n] = '\0';
    truncate_at(g_line, kDocumentFieldBytes, 0);
    set_form_field(&g_form, control, g_line, static_cast<int32_t>(std::strlen(g_line)));
}

void append_to_value(ReadState* s, bool afresh) {
    if (afresh) s->valueLength = 0;
    g_value[s->valueLength] = '\0';
    if (s->valueLength >= kDocumentLongBytes) return;   // cutting again would keep the same bytes
    size_t n = std::strlen(g_line);
    std::memcpy(g_value + s->valueLength, g_line, n + 1);
    s->valueLength += static_cast<int32_t>(n);
    if (s->valueLength > kDocumentLongBytes) {
        truncate_at(g_value, kDocumentLongBytes, 0);
        s->valueLength = static_cast<int32_t>(std::strlen(g_value));
    }
}

// Puts the collected multi-line value, less one trailing CR LF.
void flush_value(ReadState* s) {
    if (!s->collecting) return;
    int32_t n = s->valueLength;
    if (n >= 2 && g_value[n - 2] == '\r' && g_value[n - 1] == '\n') n -= 2;
    set_form_field(&g_form, s->field, g_value, n);
    s->collecting = false;
}

bool is_header_line(const char* line, size_t n) {
    return n > 7 && line[0] == '<' && line[1] == ' ' && line[2] != ' ' && std::strcmp(line + n - 4, " >\r\n") == 0;
}

void on_header(ReadState* s) {
    s->section = UnknownSection;
    for (int32_t i = 0; i < 3; ++i) {
        if (same_ignoring_case(g_line, kHeaders[i])) s->section = TextSection + i;
    }
    s->line = 0;
    flush_value(s);
}

void on_field_line(ReadState* s) {
    ++s->line;
    if (s->section == TextSection || (s->section == MailSection && s->line >= 3)) {
        s->field = s->section == TextSection ? ControlText : ControlBody;
        bool afresh = s->line == (s->section == TextSection ? 1 : 3);
        s->collecting = true;
        append_to_value(s, afresh);
    } else if (s->section == MailSection) {
        put_single(s->line == 1 ? ControlTo : ControlSubject);
    } else if (s->section == AddressSection && s->line <= 12) {
        put_single(kAddressControls[s->line - 1]);
    }
}

// Copies the line of length bytes at start into g_line with its CR LF; a
// longer line than kDocumentLineBytes keeps only that many bytes, one less
// when the cut would halve a character.
void take_line(const char* start, int32_t length) {
    int32_t kept = length;
    if (kept > kDocumentLineBytes) {
        std::memcpy(g_line, start, kDocumentLineBytes + 1);
        g_line[kDocumentLineBytes + 1] = '\0';
        kept = byte_type(g_line, kDocumentLineBytes) == ByteTrail ? kDocumentLineBytes - 1 : kDocumentLineBytes;
    }
    std::memcpy(g_line, start, static_cast<size_t>(kept));
    std::memcpy(g_line + kept, "\r\n", 3);
}

void put_headerless_text(int32_t length) {
    if (g_form.mode != 0 && g_form.mode != 1) return;
    g_text[length] = '\0';
    truncate_at(g_text, kDocumentLongBytes, 0);
    set_form_field(&g_form, g_form.mode == 0 ? ControlText : ControlBody, g_text,
                   static_cast<int32_t>(std::strlen(g_text)));
}

}  // namespace

bool same_ignoring_case(const char* a, const char* b) {
    for (;; ++a, ++b) {
        char x = *a >= 'A' && *a <= 'Z' ? static_cast<char>(*a - 'A' + 'a') : *a;
        char y = *b >= 'A' && *b <= 'Z' ? static_cast<char>(*b - 'A' + 'a') : *b;
        if (x != y) return false;
        if (x == '\0') return true;
    }
}

int32_t read_document(FILE* file) {
    load_text(file);
    // A read error (a folder opened as a file on POSIX, a failing disk) is
    // no empty document: the form stays as it was.
    if (std::ferror(file)) return 1;
    remove_tabs();
    int32_t length = static_cast<int32_t>(std::strlen(g_text));
    ReadState s = {NoSection, 0, 0, false, 0};
    // A line is complete only with its CR LF: a last line without one is
    // left out of the sections.
    const char* start = g_text;
    for (const char* end = std::strstr(start, "\r\n"); end != nullptr; end = std::strstr(start, "\r\n")) {
        take_line(start, static_cast<int32_t>(end - start));
        start = end + 2;
        if (is_header_line(g_line, std::strlen(g_line))) {
            on_header(&s);
        } else if (s.section > UnknownSection) {
            on_field_line(&s);
        }
    }
    if (s.section == NoSection) {
        put_headerless_text(length);
        return 0;
    }
    flush_value(&s);
    return 0;
}
