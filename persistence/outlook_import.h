// Outlook CSV import: contacts exported as comma-separated Shift_JIS with
// Japanese column headers become address records that the user steps
// through; each step copies one record into g_form's address fields. The
// records live in memory only (one store, ImportRecords). Main (window)
// thread only; no heap use.
#pragma once

#include <cstdint>

#include "payload/form_fields.h"
#include "resources/messages.h"

constexpr int32_t kImportFieldBytes = 100;   // a record field: at most 99 bytes
constexpr int32_t kImportFieldCount = 12;
constexpr int32_t kImportRecordCount = 100;  // index 0 is never filled
constexpr int32_t kImportRowLimit = 100;     // CSV records read, header included

// The twelve fields in the order of the form's address fields and of a
// document's address section.
enum ImportField : int32_t {
    ImportName = 0, ImportFurigana, ImportPhone1, ImportPhone2, ImportPhone3, ImportMail1,
    ImportMail2, ImportMail3, ImportNote, ImportPostal, ImportBirthday, ImportUrl
};
// The form control of each ImportField.
extern const int32_t kAddressControls[kImportFieldCount];

struct ImportRecord {
    char fields[kImportFieldCount][kImportFieldBytes];
};
extern ImportRecord ImportRecords[kImportRecordCount];

// The 59 recognised column names (Shift_JIS), in slot order.
constexpr int32_t kImportHeaderCount = 59;
extern const char* const ImportHeaders[kImportHeaderCount];

struct ImportState {
    bool inEffect;          // set by a successful import, cleared by the clear button
    int32_t count;          // records read plus one
    int32_t current;        // index of the record shown
    int32_t lastPosition;   // last position of the spin control
};
extern ImportState g_import;

// Reads up to rowLimit CSV records of path (header included) as CSV does:
// a quoted field may hold commas, doubled quotes and line breaks (each line
// break becomes one blank, since record fields are single lines). 0 done:
// the records are filled, g_form's mode and the setting "mode" are 2, record
// 1 is in g_form and the import is in effect; the window then marks radio
// IDC_MODE_ADDRESS, sends its command and shows the import panel
// (IDC_IMPORT_GROUP to IDC_IMPORT_SPIN). 1 failed (the file
// cannot be opened, or its first record names none of the 59 columns): the
// records are empty, the state of an earlier import stays.
int32_t import_outlook_csv(const char* path, int32_t rowLimit);

// Copies record index (0-99; other values do nothing) into the address
// fields of form (the window's g_form unless given); its birthday is first
// rewritten in the record as YYYY/MM/DD, or emptied (with the form's) when
// empty or not a date.
void show_import_record(int32_t index, FormFields* form = &g_form);

// The spin control's end of scroll at position: one record forward when the
// position rose, else one back, kept within 1 .. count - 1; the record is
// shown. Returns the index shown.
int32_t step_import_record(int32_t position);

// The clear button: empties all records and g_form's address fields and ends
// the import; the window hides the import panel and discards the codes.
void clear_import_records();

// kImportErrorText (no addresses were imported) is the text of the "Import
// Error" message.
