// Payload options of the command-line tool: the form's fields and settings
// given as options, shared by every subcommand that composes a payload.
#pragma once

#include <cstdint>

struct FormFields;

// The fields given, by option; null when absent.
struct PayloadOptions {
    int32_t carrier;                // Carrier, default Docomo
    int32_t mode;                   // InputMode, default Text
    bool utf8Files;                 // --input utf8: files are UTF-8, not Shift_JIS
    const char* texts[16];          // per field option, in kPayloadFieldOptions order
    const char* files[16];          // --text-file, --body-file
    const char* document;           // --document: a text document read into the fields
    const char* csv;                // --csv: an Outlook export; address mode
    int32_t record;                 // --record N: its record (from 1; 0 not given: 1)
    bool vcard;                     // --contact vcard: utf8 address mode writes a vCard
    // --mode wifi: the network (UTF-8); security -1 until given.
    const char* ssid;
    const char* password;
    int32_t security;
    bool hidden;
};

// --mode wifi: not a mode of the form; the tool writes the network as a text.
constexpr int32_t kWifiMode = 3;

// Help lines describing the payload options.
extern const char kPayloadOptionsHelp[];

void init_payload_options(PayloadOptions* options);

// Takes the option at argv[*i] (and its value, advancing *i). 1 taken, 0 not
// a payload option, -1 a payload option with a missing or bad value.
int parse_payload_option(int argc, char** argv, int* i, PayloadOptions* options);

// Fills the form from the options, composes, converts the emoji codes and,
// for utf8, the character set: g_payload then holds the bytes a generation
// splits. Returns an exit code; on failure the message (prefixed with
// command) is on standard error. A dropped tail is warned about.
// The fields are filled in this order: the document (read as "テキストを開く"
// reads it, in the mode of --mode), the CSV record, then the field options.
int compose_from_options(const PayloadOptions& options, const char* command);
// The first part of it for a generation, which composes itself: form (the
// tool's own record) filled from the options (misuse refused). An exit code.
int fill_from_options(const PayloadOptions& options, const char* command, FormFields* form);
// The end of it, once the payload of form was made (composed false: it
// failed): the composition error, or the warnings of text left out
// (leftOut) and of characters Shift_JIS could not hold. An exit code.
int report_payload(const char* command, const FormFields& form, bool composed, bool leftOut);

// Imports --csv alone, as the import command does; *records receives the
// number of contacts (records 1 .. *records). An exit code; failures are
// reported on standard error.
int import_from_options(const PayloadOptions& options, const char* command, int32_t* records);

// A command-line path into out (room bytes) as the program's paths are
// kept: UTF-8, every character as given; false when it does not fit.
bool path_argument(const char* utf8, char* out, int32_t room);
