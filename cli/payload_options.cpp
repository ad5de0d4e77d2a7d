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
const NamedValue kModes[] = {{"text", 0}, {"mail", 1}, {"address", 2}, {"wifi", kWifiMode}};
const NamedValue kContacts[] = {{"mecard", 0}, {"vcard", 1}};
const NamedValue kInputs[] = {{"sjis", 0}, {"utf8", 1}};
const NamedValue kSecurities[] = {{"WPA", WifiWpa}, {"WEP", WifiWep}, {"nopass", WifiOpen}};

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
char fileBytesScratch[kFileBytes];
uint16_t unitsScratch[kFileBytes];
char sjisScratch[kFileBytes * kCp932BytesPerUtf16];
char fieldTextScratch[kLongFieldBytes];

// Shift_JIS text (or UTF-8 converted to it as typed text is, for the
// target of form, its notes kept there) with every LF made CR LF, into
// fieldTextScratch, as much as the field record can hold.
int32_t to_field_text(FormFields* form, const char* bytes, int32_t length, bool utf8) {
    if (length > kFileBytes) length = kFileBytes;
    if (utf8) {
        int32_t units = utf8_to_utf16(bytes, length, unitsScratch);
        length = typed_text_to_sjis(unitsScratch, units, form->carrier == Utf8, sjisScratch, sizeof sjisScratch,
                                    &form->notes, nullptr);
        bytes = sjisScratch;
    }
    int32_t out = 0;
    for (int32_t i = 0; i < length && out < kLongFieldBytes - 2; ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) fieldTextScratch[out++] = '\r';
        fieldTextScratch[out++] = bytes[i];
    }
    return out;
}

int read_field_file(FormFields* form, const char* path, bool utf8, int32_t* length, const char* command) {
    bool tooLong = false;
    *length = read_input(path, fileBytesScratch, kFileBytes, &tooLong);
    if (*length < 0) {
        std::fprintf(stderr, "%s: cannot read '%s'\n", command, path);
        return ExitFailure;
    }
    // A file longer than the buffer fills the field text whole, so the
    // field's limit cuts it and the composition reports the cut.
    *length = to_field_text(form, fileBytesScratch, *length, utf8);
    return ExitOk;
}

// Reads --document into the form as the open-text command does.
int read_document_option(FormFields* form, const char* path, const char* command) {
    static char name[kPathBytes];
    FILE* f = path_argument(path, name, kPathBytes) ? open_file(name, "rb") : nullptr;
    bool read = f != nullptr && read_document(f, form) == 0;
    if (f != nullptr) std::fclose(f);
    if (!read) {
        std::fprintf(stderr, "%s: cannot read '%s'\n", command, path);
        return ExitFailure;
    }
    return ExitOk;
}

// Imports --csv and puts record --record into the address fields; the form
// is then in address mode, as the window is after an import.
int read_csv_option(FormFields* form, const PayloadOptions& o, const char* command) {
    int32_t records = 0;
    if (import_from_options(o, command, &records) != ExitOk) return ExitFailure;
    int32_t record = o.record > 0 ? o.record : 1;
    if (record > records) {
        std::fprintf(stderr, "%s: '%s' holds %d contact%s, so there is no record %d\n", command, o.csv, records,
                     records == 1 ? "" : "s", record);
        return ExitFailure;
    }
    form->mode = 2;
    show_import_record(record, form);
    return ExitOk;
}

// A text the UTF-8 conversion would read as an emoji code cannot reach the
// phone as given; true (with a message) when the network holds one.
bool holds_emoji_code(const char* text, const char* what, const char* command) {
    for (const char* p = text; p != nullptr && *p != '\0'; ++p) {
        if (classify_utf8_code(p) == NotACode) continue;
        std::fprintf(stderr, "%s: the %s holds '%.7s', which would be read as an emoji code and changed\n", command,
                     what, p);
        return true;
    }
    return false;
}

// --mode wifi: the network's text, as the text of a UTF-8 form.
int fill_wifi_text(FormFields* form, const PayloadOptions& o, const char* command) {
    static char text[1024];
    static const char* const kProblems[] = {"", "--ssid is missing or empty", "--security nopass takes no --password",
                                            "--security WPA or WEP needs a --password",
                                            "the network name and password are too long"};
    bool password = o.password != nullptr && o.password[0] != '\0';
    int32_t security = o.security >= 0 ? o.security : password ? WifiWpa : WifiOpen;
    int32_t r = wifi_text({o.ssid, o.password, security, o.hidden}, text, sizeof text);
    if (r != WifiDone) {
        std::fprintf(stderr, "%s: %s\n", command, kProblems[r]);
        return ExitGenerationError;
    }
    if (holds_emoji_code(o.ssid, "network name", command) || holds_emoji_code(o.password, "password", command)) {
        return ExitGenerationError;
    }
    int32_t length = to_field_text(form, text, static_cast<int32_t>(std::strlen(text)), true);
    set_form_field(form, ControlText, fieldTextScratch, length);
    return ExitOk;
}

// Options that do not go together, or null.
const char* options_misused(const PayloadOptions& o) {
    bool wifi = o.mode == kWifiMode;
    bool fields = o.document != nullptr || o.csv != nullptr;
    for (int32_t row = 0; row < 16; ++row) fields = fields || o.texts[row] != nullptr || o.files[row] != nullptr;
    if (o.record > 0 && o.csv == nullptr) return "--record needs --csv";
    if (wifi && fields) return "--mode wifi takes only --ssid, --password, --security and --hidden";
    bool network = o.ssid != nullptr || o.password != nullptr || o.security >= 0 || o.hidden;
    if (!wifi && network) return "--ssid, --password, --security and --hidden need --mode wifi";
    bool address = o.mode == 2 || o.csv != nullptr;   // a CSV record is an address
    if (o.vcard && (o.carrier != Utf8 || !address)) return "--contact vcard needs --carrier utf8 --mode address";
    return nullptr;
}

int fill_form(FormFields* form, const PayloadOptions& o, const char* command) {
    clear_form(form);
    // A Wi-Fi network is UTF-8 text for every carrier.
    bool wifi = o.mode == kWifiMode;
    form->carrier = wifi ? Utf8 : o.carrier;
    form->mode = wifi ? 0 : o.mode;
    // The tool gives utf8 the smartphone contact and mail forms.
    form->utf8forms = 1;
    form->vcard = o.vcard ? 1 : 0;
    if (wifi) return fill_wifi_text(form, o, command);
    if (o.document != nullptr && read_document_option(form, o.document, command) != ExitOk) return ExitFailure;
    if (o.csv != nullptr && read_csv_option(form, o, command) != ExitOk) return ExitFailure;
    for (int32_t row = 0; row < 16; ++row) {
        int32_t length = 0;
        if (o.files[row] != nullptr) {
            if (read_field_file(form, o.files[row], o.utf8Files, &length, command) != ExitOk) return ExitFailure;
        } else if (o.texts[row] != nullptr) {
            length = to_field_text(form, o.texts[row], static_cast<int32_t>(std::strlen(o.texts[row])), true);
        } else {
            continue;
        }
        set_form_field(form, kFieldOptions[row].control, fieldTextScratch, length);
    }
    return ExitOk;
}

}  // namespace

const char kPayloadOptionsHelp[] =
    "  --carrier docomo|au|softbank|utf8   target encoding (default docomo)\n"
    "  --mode text|mail|address|wifi       input mode (default text); for utf8, mail is a\n"
    "                                      mailto: URI (percent-encoded UTF-8) and address a\n"
    "                                      MECARD with the reading in full-width katakana\n"
    "  --contact mecard|vcard              utf8 address mode: MECARD (default) or vCard 3.0\n"
    "  --ssid S [--password P] [--security WPA|WEP|nopass] [--hidden]\n"
    "                                      --mode wifi: the network as WIFI:T:..;S:..;P:..;;\n"
    "                                      always UTF-8, whatever --carrier says; security\n"
    "                                      WPA with a password, nopass without one\n"
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
    options->security = -1;
}

// A named value option: 1 taken, -1 a value the table does not hold.
template <size_t N>
int take_named(const NamedValue (&table)[N], const char* value, int32_t* out) {
    int32_t v = value_of(table, value);
    if (v < 0) return -1;
    *out = v;
    return 1;
}

// The options that take a value other than a field's text.
int take_value_option(const char* a, const char* value, PayloadOptions* o) {
    int32_t v = 0;
    if (!std::strcmp(a, "--carrier")) return take_named(kCarriers, value, &o->carrier);
    if (!std::strcmp(a, "--mode")) return take_named(kModes, value, &o->mode);
    if (!std::strcmp(a, "--security")) return take_named(kSecurities, value, &o->security);
    if (!std::strcmp(a, "--contact")) return take_named(kContacts, value, &v) < 0 ? -1 : (o->vcard = v == 1, 1);
    if (!std::strcmp(a, "--input")) return take_named(kInputs, value, &v) < 0 ? -1 : (o->utf8Files = v == 1, 1);
    if (!std::strcmp(a, "--record")) return parse_ranged(value, 1, kImportRecordCount - 1, &o->record) ? 1 : -1;
    const char** texts[] = {&o->document, &o->csv, &o->ssid, &o->password, &o->files[kTextRow], &o->files[kBodyRow]};
    const char* names[] = {"--document", "--csv", "--ssid", "--password", "--text-file", "--body-file"};
    for (size_t k = 0; k < sizeof names / sizeof names[0]; ++k) {
        if (!std::strcmp(a, names[k])) return *texts[k] = value, 1;
    }
    return 0;
}

int parse_payload_option(int argc, char** argv, int* i, PayloadOptions* o) {
    const char* a = argv[*i];
    const char* value = *i + 1 < argc ? argv[*i + 1] : nullptr;
    if (!std::strcmp(a, "--hidden")) return o->hidden = true, 1;
    int32_t row = -1;
    for (int32_t r = 0; r < 16; ++r) {
        if (std::strcmp(a, kFieldOptions[r].name) == 0) row = r;
    }
    if (row >= 0) {
        if (value == nullptr) return -1;
        o->texts[row] = value;
        ++*i;
        return 1;
    }
    PayloadOptions probe = *o;
    int taken = take_value_option(a, value != nullptr ? value : "", &probe);
    if (taken == 0) return 0;
    if (value == nullptr || taken < 0) return -1;
    *o = probe;
    ++*i;
    return 1;
}

int fill_from_options(const PayloadOptions& o, const char* command, FormFields* form) {
    const char* misuse = options_misused(o);
    if (misuse != nullptr) {
        std::fprintf(stderr, "%s: %s\n", command, misuse);
        return ExitFailure;
    }
    return fill_form(form, o, command);
}

int report_payload(const char* command, const FormFields& form, bool composed, bool leftOut) {
    if (!composed && g_composeError.code == kComposeUriTooLong) {
        std::fprintf(stderr, "%s: the mailto: URI would take %d bytes, more than the %d a payload holds\n", command,
                     g_composeError.argument, kUtf8PayloadLimit);
        return ExitGenerationError;
    }
    if (!composed) {
        char message[128];
        format_error_message(g_composeError.code, g_composeError.argument, message);
        print_sjis_message(command, message);
        return ExitGenerationError;
    }
    if (leftOut) std::fprintf(stderr, "%s: warning: part of the text did not fit and was left out\n", command);
    const LostChars& lost = form.notes.lost;
    if (lost.count > 0 && form.carrier != Utf8) {
        char names[64];
        lost_chars_text(lost, names, sizeof names);
        std::fprintf(stderr, "%s: warning: %d character%s with no Shift_JIS form became '?': %s\n", command,
                     lost.count, lost.count == 1 ? "" : "s", names);
    }
    return ExitOk;
}

int compose_from_options(const PayloadOptions& o, const char* command) {
    static FormFields form;
    int filled = fill_from_options(o, command, &form);
    if (filled != ExitOk) return filled;
    bool composed = make_payload(form) == 0;
    return report_payload(command, form, composed, g_payload.dropped != DroppedNothing);
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
