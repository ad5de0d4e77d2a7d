// Payload options: command-line texts (UTF-8) and files become form fields
// the way typed text would (Windows' conversion to Shift_JIS, CR LF line
// breaks), then the payload is composed and converted as a generation does.
#include "cli/payload_options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/cli.h"
#include "payload/payload.h"
#include "payload/typed_text.h"
#include "persistence/documents.h"
#include "persistence/outlook_import.h"
#include "pipeline/generation.h"
#include "platform/codepage.h"
#include "platform/files.h"

namespace {

struct FieldOption {
    const char* name;
    int32_t control;
};

// Field options; index i of PayloadOptions::texts belongs to row i.
const FieldOption kFieldOptions[16] = {
    {"--text", ControlText},       {"--to", ControlTo},           {"--subject", ControlSubject},
    {"--body", ControlBody},       {"--name", ControlName},       {"--furigana", ControlFurigana},
    {"--phone1", ControlPhone1},   {"--phone2", ControlPhone2},   {"--phone3", ControlPhone3},
    {"--mail1", ControlMail1},     {"--mail2", ControlMail2},     {"--mail3", ControlMail3},
    {"--note", ControlNote},       {"--postal", ControlPostal},   {"--birthday", ControlBirthday},
    {"--url", ControlUrl}};
const int32_t kTextRow = 0;
const int32_t kBodyRow = 3;

struct NamedValue {
    const char* name;
    int32_t value;
};
const NamedValue kCarriers[] = {{"docomo", Docomo}, {"au", Au}, {"softbank", Softbank}, {"utf8", Utf8}};
const NamedValue kModes[] = {{"text", 0}, {"mail", 1}, {"address", 2}};

template <size_t N>
int32_t value_of(const NamedValue (&table)[N], const char* name) {
    for (const NamedValue& v : table) {
        if (std::strcmp(v.name, name) == 0) return v.value;
    }
    return -1;
}

// Room for a path given on the command line, in UTF-8.
const int32_t kPathBytes = 4096;

// Room for a file: a long field in UTF-8 (up to 3 bytes per character).
const int32_t kFileBytes = kLongFieldBytes * 3;
char g_fileBytes[kFileBytes];
uint16_t g_units[kFileBytes];
char g_sjis[kFileBytes * kCp932BytesPerUtf16];
char g_fieldText[kLongFieldBytes];

// Shift_JIS text (or UTF-8 converted to it as typed text is, for the
// target in g_form) with every LF made CR LF, into g_fieldText, as much as
// the field record can hold.
int32_t to_field_text(const char* bytes, int32_t length, bool utf8) {
    if (length > kFileBytes) length = kFileBytes;
    if (utf8) {
        int32_t units = utf8_to_utf16(bytes, length, g_units);
        length = typed_text_to_sjis(g_units, units, g_form.carrier == Utf8, g_sjis, sizeof g_sjis, &g_form.notes,
                                    nullptr);
        bytes = g_sjis;
    }
    int32_t out = 0;
    for (int32_t i = 0; i < length && out < kLongFieldBytes - 2; ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) g_fieldText[out++] = '\r';
        g_fieldText[out++] = bytes[i];
    }
    return out;
}

int read_field_file(const char* path, bool utf8, int32_t* length, const char* command) {
    bool tooLong = false;
    *length = read_input(path, g_fileBytes, kFileBytes, &tooLong);
    if (*length < 0) {
        std::fprintf(stderr, "%s: cannot read '%s'\n", command, path);
        return ExitFailure;
    }
    // A file longer than the buffer fills the field text whole, so the
    // field's limit cuts it and the composition reports the cut.
    *length = to_field_text(g_fileBytes, *length, utf8);
    return ExitOk;
}

void print_sjis_message(const char* command, const char* sjis) {
    static uint16_t units[256];
    static char utf8[256 * kUtf8BytesPerUtf16 + 1];
    int32_t n = cp932_to_utf16(sjis, static_cast<int32_t>(strnlen(sjis, 255)), units);
    int32_t bytes = utf16_to_utf8(units, n, utf8);
    utf8[bytes] = '\0';
    std::fprintf(stderr, "%s: %s\n", command, utf8);
}

// Reads --document into the form as the open-text command does.
int read_document_option(const char* path, const char* command) {
    static char name[kPathBytes];
    FILE* f = path_argument(path, name, kPathBytes) ? open_file(name, "rb") : nullptr;
    bool read = f != nullptr && read_document(f) == 0;
    if (f != nullptr) std::fclose(f);
    if (!read) {
        std::fprintf(stderr, "%s: cannot read '%s'\n", command, path);
        return ExitFailure;
    }
    return ExitOk;
}

// Imports --csv and puts record --record into the address fields.
int read_csv_option(const PayloadOptions& o, const char* command) {
    int32_t records = 0;
    if (import_from_options(o, command, &records) != ExitOk) return ExitFailure;
    int32_t record = o.record > 0 ? o.record : 1;
    if (record > records) {
        std::fprintf(stderr, "%s: '%s' holds %d contact%s, so there is no record %d\n", command, o.csv, records,
                     records == 1 ? "" : "s", record);
        return ExitFailure;
    }
    show_import_record(record);
    return ExitOk;
}

int fill_form(const PayloadOptions& o, const char* command) {
    clear_form(&g_form);
    g_form.carrier = o.carrier;
    g_form.mode = o.mode;
    // The tool gives utf8 the smartphone contact and mail forms.
    g_form.utf8forms = 1;
    if (o.document != nullptr && read_document_option(o.document, command) != ExitOk) return ExitFailure;
    if (o.csv != nullptr && read_csv_option(o, command) != ExitOk) return ExitFailure;
    for (int32_t row = 0; row < 16; ++row) {
        int32_t length = 0;
        if (o.files[row] != nullptr) {
            if (read_field_file(o.files[row], o.utf8Files, &length, command) != ExitOk) return ExitFailure;
        } else if (o.texts[row] != nullptr) {
            length = to_field_text(o.texts[row], static_cast<int32_t>(std::strlen(o.texts[row])), true);
        } else {
            continue;
        }
        set_form_field(&g_form, kFieldOptions[row].control, g_fieldText, length);
    }
    return ExitOk;
}

}  // namespace

const char kPayloadOptionsHelp[] =
    "  --carrier docomo|au|softbank|utf8   target encoding (default docomo)\n"
    "  --mode text|mail|address            input mode (default text); for utf8, mail is a\n"
    "                                      mailto: URI (percent-encoded UTF-8) and address a\n"
    "                                      MECARD with the reading in full-width katakana\n"
    "  --text T | --text-file F            the text of text mode\n"
    "  --to T --subject T --body T | --body-file F   mail mode\n"
    "  --name --furigana --phone1..3 --mail1..3 --note --postal --birthday --url T\n"
    "                                      address mode (note: personal data, postal: address)\n"
    "  --input sjis|utf8                   encoding of the files (default sjis)\n"
    "  --document F                        a text document (Shift_JIS, \"< Text >\", \"< Mail >\",\n"
    "                                      \"< Address >\" sections) read as the program opens one;\n"
    "                                      without sections it fills the text (or the mail body)\n"
    "  --csv F [--record N]                an Outlook CSV export: contact N (from 1, default 1)\n"
    "                                      fills the address fields; address mode\n"
    "Texts on the command line are UTF-8; every line feed becomes CR LF. Fields\n"
    "are filled from the document, then the CSV record, then the field options.\n";

void init_payload_options(PayloadOptions* options) {
    std::memset(options, 0, sizeof *options);
    options->carrier = Docomo;
    options->mode = 0;
}

int parse_payload_option(int argc, char** argv, int* i, PayloadOptions* o) {
    const char* a = argv[*i];
    const char* value = *i + 1 < argc ? argv[*i + 1] : nullptr;
    int32_t row = -1;
    for (int32_t r = 0; r < 16; ++r) {
        if (std::strcmp(a, kFieldOptions[r].name) == 0) row = r;
    }
    bool known = row >= 0 || !std::strcmp(a, "--carrier") || !std::strcmp(a, "--mode") ||
                 !std::strcmp(a, "--input") || !std::strcmp(a, "--text-file") || !std::strcmp(a, "--body-file") ||
                 !std::strcmp(a, "--document") || !std::strcmp(a, "--csv") || !std::strcmp(a, "--record");
    if (!known) return 0;
    if (value == nullptr) return -1;
    ++*i;
    if (!std::strcmp(a, "--document") || !std::strcmp(a, "--csv")) {
        (a[2] == 'd' ? o->document : o->csv) = value;
    } else if (!std::strcmp(a, "--record")) {
        char* end = nullptr;
        long record = std::strtol(value, &end, 10);
        if (end == value || *end != '\0' || record < 1 || record >= kImportRecordCount) return -1;
        o->record = static_cast<int32_t>(record);
    } else if (row >= 0) {
        o->texts[row] = value;
    } else if (!std::strcmp(a, "--text-file") || !std::strcmp(a, "--body-file")) {
        o->files[a[2] == 't' ? kTextRow : kBodyRow] = value;
    } else if (!std::strcmp(a, "--input")) {
        if (std::strcmp(value, "utf8") && std::strcmp(value, "sjis")) return -1;
        o->utf8Files = std::strcmp(value, "utf8") == 0;
    } else {
        int32_t v = a[2] == 'c' ? value_of(kCarriers, value) : value_of(kModes, value);
        if (v < 0) return -1;
        (a[2] == 'c' ? o->carrier : o->mode) = v;
    }
    return 1;
}

int compose_from_options(const PayloadOptions& o, const char* command) {
    if (o.record > 0 && o.csv == nullptr) {
        std::fprintf(stderr, "%s: --record needs --csv\n", command);
        return ExitFailure;
    }
    if (fill_form(o, command) != ExitOk) return ExitFailure;
    bool failed = compose_payload() != 0;
    if (failed && g_composeError.code == kComposeUriTooLong) {
        std::fprintf(stderr, "%s: the mailto: URI would take %d bytes, more than the %d a payload holds\n", command,
                     g_composeError.argument, kUtf8PayloadLimit);
        return ExitGenerationError;
    }
    if (failed) {
        char message[128];
        format_error_message(g_composeError.code, g_composeError.argument, message);
        print_sjis_message(command, message);
        return ExitGenerationError;
    }
    convert_emoji_codes(&g_payload, o.carrier);
    if (o.carrier == Utf8) convert_to_utf8(&g_payload);
    if (g_payload.dropped != DroppedNothing) {
        std::fprintf(stderr, "%s: warning: part of the text did not fit and was left out\n", command);
    }
    const LostChars& lost = g_form.notes.lost;
    if (lost.count > 0 && o.carrier != Utf8) {
        char names[64];
        lost_chars_text(lost, names, sizeof names);
        std::fprintf(stderr, "%s: warning: %d character%s with no Shift_JIS form became '?': %s\n", command,
                     lost.count, lost.count == 1 ? "" : "s", names);
    }
    return ExitOk;
}

int import_from_options(const PayloadOptions& o, const char* command, int32_t* records) {
    static char name[kPathBytes];
    *records = 0;
    if (!path_argument(o.csv, name, kPathBytes) || file_kind(name) != PathIsFile) {
        std::fprintf(stderr, "%s: cannot read '%s'\n", command, o.csv);
        return ExitFailure;
    }
    if (import_outlook_csv(name, kImportRowLimit) != 0) {
        print_sjis_message(command, kImportErrorText);
        return ExitFailure;
    }
    *records = g_import.count - 1;
    return ExitOk;
}

bool path_argument(const char* utf8, char* out, int32_t room) {
    size_t length = std::strlen(utf8);
    if (length >= static_cast<size_t>(room)) return false;
    std::memcpy(out, utf8, length + 1);
    return true;
}
