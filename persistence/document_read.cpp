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

char textScratch[kDocumentBytes];
char lineScratch[kLineBytes];
char valueScratch[kValueBytes];

struct ReadState {
    FormFields* form;      // the record the fields go into
    int32_t section;
    int32_t line;          // within the section; the first line after a header is 1
    int32_t field;         // control of the multi-line field being collected
    bool collecting;
    int32_t valueLength;
};

// Step 1: the file into textScratch, LF stored as CR LF, ending at the end of the
// file, at 0x1A or at a 0xFF byte. Returns the length.
int32_t load_text(FILE* file) {
    const int32_t limit = kDocumentBytes - 2;
    TextModeReader reader;
    init_text_mode_reader(&reader, file);
    int32_t n = 0;
    for (int c = text_mode_getc(&reader); c >= 0 && c != 0xFF; c = text_mode_getc(&reader)) {
        if (c == '\n') {
            if (n + 2 > limit) break;
            textScratch[n++] = '\r';
        } else if (n + 1 > limit) {
            break;
        }
        textScratch[n++] = static_cast<char>(c);
    }
    textScratch[n] = '\0';
    return n;
}

// Tabs are never trail bytes, so a byte-wise pass removes whole characters.
void remove_tabs() {
    int32_t out = 0;
    for (int32_t i = 0; textScratch[i] != '\0'; ++i) {
        if (textScratch[i] != '\t') textScratch[out++] = textScratch[i];
    }
    textScratch[out] = '\0';
}

// Puts a single-line field: trailing CR LFs removed, cut to 200 bytes (a
// halved double-byte character leaves a blank).
void put_single(FormFields* form, int32_t control) {
    size_t n = std::strlen(lineScratch);
    while (n >= 2 && lineScratch[n - 2] == '\r' && lineScratch[n - 1] == '\n') n -= 2;
    lineScratch[n] = '\0';
    truncate_at(lineScratch, kDocumentFieldBytes, 0);
    set_form_field(form, control, lineScratch, static_cast<int32_t>(std::strlen(lineScratch)));
}

void append_to_value(ReadState* s, bool afresh) {
    if (afresh) s->valueLength = 0;
    valueScratch[s->valueLength] = '\0';
    if (s->valueLength >= kDocumentLongBytes) return;   // cutting again would keep the same bytes
    size_t n = std::strlen(lineScratch);
    std::memcpy(valueScratch + s->valueLength, lineScratch, n + 1);
    s->valueLength += static_cast<int32_t>(n);
    if (s->valueLength > kDocumentLongBytes) {
        truncate_at(valueScratch, kDocumentLongBytes, 0);
        s->valueLength = static_cast<int32_t>(std::strlen(valueScratch));
    }
}

// Puts the collected multi-line value, less one trailing CR LF.
void flush_value(ReadState* s) {
    if (!s->collecting) return;
    int32_t n = s->valueLength;
    if (n >= 2 && valueScratch[n - 2] == '\r' && valueScratch[n - 1] == '\n') n -= 2;
    set_form_field(s->form, s->field, valueScratch, n);
    s->collecting = false;
}

bool is_header_line(const char* line, size_t n) {
    return n > 7 && line[0] == '<' && line[1] == ' ' && line[2] != ' ' && std::strcmp(line + n - 4, " >\r\n") == 0;
}

void on_header(ReadState* s) {
    s->section = UnknownSection;
    for (int32_t i = 0; i < 3; ++i) {
        if (same_ignoring_case(lineScratch, kHeaders[i])) s->section = TextSection + i;
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
        put_single(s->form, s->line == 1 ? ControlTo : ControlSubject);
    } else if (s->section == AddressSection && s->line <= 12) {
        put_single(s->form, kAddressControls[s->line - 1]);
    }
}

// Copies the line of length bytes at start into lineScratch with its CR LF; a
// longer line than kDocumentLineBytes keeps only that many bytes, one less
// when the cut would halve a character.
void take_line(const char* start, int32_t length) {
    int32_t kept = length;
    if (kept > kDocumentLineBytes) {
        std::memcpy(lineScratch, start, kDocumentLineBytes + 1);
        lineScratch[kDocumentLineBytes + 1] = '\0';
        kept = byte_type(lineScratch, kDocumentLineBytes) == ByteTrail ? kDocumentLineBytes - 1 : kDocumentLineBytes;
    }
    std::memcpy(lineScratch, start, static_cast<size_t>(kept));
    std::memcpy(lineScratch + kept, "\r\n", 3);
}

void put_headerless_text(FormFields* form, int32_t length) {
    if (form->mode != 0 && form->mode != 1) return;
    textScratch[length] = '\0';
    truncate_at(textScratch, kDocumentLongBytes, 0);
    set_form_field(form, form->mode == 0 ? ControlText : ControlBody, textScratch,
                   static_cast<int32_t>(std::strlen(textScratch)));
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

int32_t read_document(FILE* file, FormFields* form) {
    load_text(file);
    // A read error (a folder opened as a file on POSIX, a failing disk) is
    // no empty document: the form stays as it was.
    if (std::ferror(file)) return 1;
    remove_tabs();
    int32_t length = static_cast<int32_t>(std::strlen(textScratch));
    ReadState s = {form, NoSection, 0, 0, false, 0};
    // A line is complete only with its CR LF: a last line without one is
    // left out of the sections.
    const char* start = textScratch;
    for (const char* end = std::strstr(start, "\r\n"); end != nullptr; end = std::strstr(start, "\r\n")) {
        take_line(start, static_cast<int32_t>(end - start));
        start = end + 2;
        if (is_header_line(lineScratch, std::strlen(lineScratch))) {
            on_header(&s);
        } else if (s.section > UnknownSection) {
            on_field_line(&s);
        }
    }
    if (s.section == NoSection) {
        put_headerless_text(form, length);
        return 0;
    }
    flush_value(&s);
    return 0;
}
