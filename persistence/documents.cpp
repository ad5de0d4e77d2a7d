// Writing text documents, the accepted extensions, the start-up document,
// the resume file and dropped files. Fixed buffers only.
#include "persistence/documents.h"

#include <cstdio>
#include <cstring>

#include "payload/payload.h"
#include "persistence/outlook_import.h"
#include "persistence/settings_store.h"
#include "platform/file_replace.h"
#include "platform/files.h"
#include "resources/messages.h"

const char* const kDocumentKindLabels[kDocumentKindCount] = {
    kDocumentKindAllModes, kDocumentKindCurrentMode, kDocumentKindCodeText};

char AcceptedExtensions[kExtensionCount][kExtensionBytes];

namespace {

char documentScratch[kDocumentBytes];
char fieldScratch[kDocumentLongBytes + 1];

// Appends text to the document, as much as the buffer holds.
void append(int32_t* used, const char* text) {
    size_t n = std::strlen(text);
    size_t room = static_cast<size_t>(kDocumentBytes - 1 - *used);
    if (n > room) n = room;
    std::memcpy(documentScratch + *used, text, n);
    *used += static_cast<int32_t>(n);
    documentScratch[*used] = '\0';
}

// Appends a field as read from the form with its limit, then CR LF.
void append_field(int32_t* used, int32_t control, int32_t limit) {
    read_field(&g_form, control, fieldScratch, limit);
    append(used, fieldScratch);
    append(used, "\r\n");
}

bool wants(int32_t kind, int32_t mode) { return kind == AllModes || (kind == CurrentMode && g_form.mode == mode); }

int32_t assemble_document(int32_t kind) {
    int32_t used = 0;
    documentScratch[0] = '\0';
    if (kind == CodeText) {
        append(&used, g_payload.text);
        return used;
    }
    if (wants(kind, 0)) {
        append(&used, "< Text >\r\n");
        append_field(&used, ControlText, kDocumentLongBytes);
    }
    if (wants(kind, 1)) {
        append(&used, "< Mail >\r\n");
        append_field(&used, ControlTo, kDocumentFieldBytes);
        append_field(&used, ControlSubject, kDocumentFieldBytes);
        append_field(&used, ControlBody, kDocumentLongBytes);
    }
    if (wants(kind, 2)) {
        append(&used, "< Address >\r\n");
        for (int32_t control : kAddressControls) append_field(&used, control, kDocumentFieldBytes);
    }
    return used;
}

// Appends the bytes and pushes them to the disk. 0 done, 1 failed.
int32_t append_whole(const char* path, const char* bytes, int32_t length) {
    FILE* f = open_file(path, "ab");
    if (f == nullptr) return 1;
    size_t n = static_cast<size_t>(length);
    bool ok = std::fwrite(bytes, 1, n, f) == n && sync_file(f) == 0;
    return std::fclose(f) == 0 && ok ? 0 : 1;
}

// Bytes of the separator at a character boundary: a blank, or the
// ideographic space 0x81 0x40; 0 for anything else.
int32_t separator_length(const char* at) {
    if (at[0] == ' ') return 1;
    return static_cast<uint8_t>(at[0]) == 0x81 && at[1] == 0x40 ? 2 : 0;
}

// Reads the file at path as a document when it opens. true when read.
bool read_document_at(const char* path) {
    FILE* f = open_file(path, "rb");
    if (f == nullptr) return false;
    bool read = read_document(f) == 0;
    std::fclose(f);
    return read;
}

}  // namespace

int32_t write_file_bytes(const char* path, const char* bytes, int32_t length, int32_t mode) {
    if (mode == WriteAppend) return append_whole(path, bytes, length);
    return write_bytes_staged(path, bytes, length);
}

int32_t write_document(const char* path, int32_t kind) {
    int32_t length = assemble_document(kind);
    return write_file_bytes(path, documentScratch, length, WriteReplace);
}

// --- Accepted extensions -----------------------------------------------------------------

void parse_extension_filter(const char* filter) {
    static char text[1024];
    std::snprintf(text, sizeof text, "%s", filter);
    std::memset(AcceptedExtensions, 0, sizeof AcceptedExtensions);
    int32_t entry = 0;
    int32_t i = 0;
    while (text[i] != '\0' && entry < kExtensionCount) {
        if (separator_length(text + i) > 0) {
            i += separator_length(text + i);
            continue;
        }
        int32_t start = i;
        while (text[i] != '\0' && separator_length(text + i) == 0) i += sjis_char_length(text + i);
        char* e = AcceptedExtensions[entry++];
        int32_t length = i - start;
        bool dotted = text[start] == '.';
        if (length < 16) std::memcpy(e + (dotted ? 0 : 1), text + start, static_cast<size_t>(length));
        e[0] = '.';
        // CSV files always go to the import.
        if (same_ignoring_case(e, ".csv")) std::memset(e, 0, kExtensionBytes);
    }
}

int32_t match_document_extension(const char* name) {
    for (int32_t i = 0; i < kExtensionCount; ++i) {
        const char* e = AcceptedExtensions[i];
        if (e[0] != '.') continue;
        if (name_ends_with(name, e)) return i;
    }
    return -1;
}

bool name_ends_with(const char* name, const char* ending) {
    size_t n = std::strlen(name);
    size_t e = std::strlen(ending);
    return e < n && same_ignoring_case(name + n - e, ending);
}

bool is_csv_name(const char* name) { return std::strlen(name) > 5 && name_ends_with(name, ".csv"); }

int32_t ensure_txt_extension(char* path, int32_t room) {
    if (name_ends_with(path, ".txt")) return 0;
    size_t n = std::strlen(path);
    if (n + 5 > static_cast<size_t>(room)) return 1;
    std::memcpy(path + n, ".txt", 5);
    return 0;
}

// --- Start-up document, resume file, drops ------------------------------------------------

int32_t open_start_document(int32_t argc, const char* const* argv) {
    if (argc >= 2) {
        const char* path = argv[1];
        if (file_kind(path) != 0 || match_document_extension(path) < 0) return 4;
        return read_document_at(path) ? 0 : 4;
    }
    if (int_setting(SettingResume) == 0) return 4;
    char path[kAppPathBytes];
    if (app_file_path(ResumeFile, path) != 0) return 4;
    return read_document_at(path) ? 0 : 4;
}

int32_t write_resume_file() {
    if (int_setting(SettingResume) == 0) return 0;
    char path[kAppPathBytes];
    if (app_file_path(ResumeFile, path) != 0) return 1;
    return write_document(path, AllModes);
}

void load_dropped_files(const char* const* names, int32_t count, DropOutcome* out) {
    std::memset(out, 0, sizeof *out);
    out->importResult = -1;
    for (int32_t i = 0; i < count; ++i) {
        if (is_csv_name(names[i])) {
            out->importResult = import_outlook_csv(names[i], kImportRowLimit);
            if (!g_import.inEffect) {
                UserMessage* m = &out->message;
                m->show = 1;
                m->owner = OwnerMainForm;
                m->icon = IconWarning;
                m->buttons = ButtonsOk;
                std::snprintf(m->caption, sizeof m->caption, "%s", kImportFailedCaption);
                std::snprintf(m->text, sizeof m->text, "%s", kImportErrorText);
            }
            return;
        }
        if (match_document_extension(names[i]) >= 0 && read_document_at(names[i])) ++out->documentsRead;
    }
}
