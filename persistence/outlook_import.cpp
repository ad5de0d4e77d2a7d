// Outlook CSV import: records read as CSV does, columns bound by their
// header names, one address record built per contact. Fixed buffers only.
#include "persistence/outlook_import.h"

#include <cstdio>
#include <cstring>

#include "payload/payload.h"
#include "persistence/settings_store.h"
#include "persistence/text_mode.h"
#include "platform/files.h"
#include "resources/messages.h"

const int32_t kAddressControls[kImportFieldCount] = {
    ControlName,  ControlFurigana, ControlPhone1, ControlPhone2, ControlPhone3,   ControlMail1,
    ControlMail2, ControlMail3,    ControlNote,   ControlPostal, ControlBirthday, ControlUrl};

// The column names in slot order: name 0-4, furigana 5-10, phones 11-35,
// mails 36-46, personal data 47-50, address 51-54, birthday 55-56, web page
// 57-58. Half-width katakana and inner blanks belong to the names.
const char* const ImportHeaders[kImportHeaderCount] = {
    kOutlookColumnDisplayName,  // [0]
    kOutlookColumnFullName,  // [1]
    kOutlookColumnName,  // [2]
    kOutlookColumnLastName,  // [3]
    kOutlookColumnFirstName,  // [4]
    kOutlookColumnFurigana,  // [5]
    kOutlookColumnFuriganaHiragana,  // [6]
    kOutlookColumnNickname,  // [7]
    kOutlookColumnNameFuriganaNarrow,  // [8]
    kOutlookColumnLastNameFuriganaNarrow,  // [9]
    kOutlookColumnFuriganaNarrow,  // [10]
    kOutlookColumnPhoneNumber,  // [11]
    kOutlookColumnPhone,  // [12]
    kOutlookColumnHomePhoneNumber,  // [13]
    kOutlookColumnHomePhone,  // [14]
    kOutlookColumnHomePhone2,  // [15]
    kOutlookColumnHomePhoneNo,  // [16]
    kOutlookColumnHomePhoneNoColon,  // [17]
    kOutlookColumnMobilePhone,  // [18]
    kOutlookColumnWorkPhoneNumber,  // [19]
    kOutlookColumnBusinessPhone,  // [20]
    kOutlookColumnBusinessPhone2,  // [21]
    kOutlookColumnCompanyMainPhone,  // [22]
    kOutlookColumnOtherPhone,  // [23]
    kOutlookColumnMobilePhoneTrailingSpace,  // [24]
    kOutlookColumnMobilePhoneNumber,  // [25]
    kOutlookColumnBusinessPhoneNumber,  // [26]
    kOutlookColumnPager,  // [27]
    kOutlookColumnPocketPager,  // [28]
    kOutlookColumnAssistantPhone,  // [29]
    kOutlookColumnCarPhone,  // [30]
    kOutlookColumnRadioPhone,  // [31]
    kOutlookColumnHomeFax,  // [32]
    kOutlookColumnBusinessFax,  // [33]
    kOutlookColumnHomeFaxNumber,  // [34]
    kOutlookColumnBusinessFaxNumber,  // [35]
    kOutlookColumnMailAddressNarrow,  // [36]
    kOutlookColumnMailAddress,  // [37]
    kOutlookColumnEmailAddress,  // [38]
    kOutlookColumnEmailAddressNarrow,  // [39]
    kOutlookColumnEmail2AddressNarrow,  // [40]
    kOutlookColumnEmail1,  // [41]
    kOutlookColumnEmail2,  // [42]
    kOutlookColumnEmail3,  // [43]
    kOutlookColumnEmail1Narrow,  // [44]
    kOutlookColumnEmail2Narrow,  // [45]
    kOutlookColumnEmail3Narrow,  // [46]
    kOutlookColumnMemo,  // [47]
    kOutlookColumnMemoNarrow,  // [48]
    kOutlookColumnPersonalData,  // [49]
    kOutlookColumnNotes,  // [50]
    kOutlookColumnAddress,  // [51]
    kOutlookColumnHomePrefecture,  // [52]
    kOutlookColumnHomeCity,  // [53]
    kOutlookColumnHomeStreet,  // [54]
    kOutlookColumnBirthday,  // [55]
    kOutlookColumnDateOfBirth,  // [56]
    kOutlookColumnPersonalWebPage,  // [57]
    kOutlookColumnBusinessWebPage,  // [58]
};

ImportRecord ImportRecords[kImportRecordCount];
ImportState g_import;

namespace {

const int32_t kMaxColumns = 90;
const int32_t kSlotBytes = 1000;     // a value: at most 999 bytes
const int32_t kJoinBytes = 3 * kSlotBytes;

// One CSV record: its fields, cut to a slot's room.
struct CsvRecord {
    char fields[kMaxColumns][kSlotBytes + 1];
    int32_t count;
    bool empty;        // nothing stood before its line end
};

CsvRecord recordScratch;
int32_t g_bound[kImportHeaderCount];           // column of each header slot, -1 none
char slotsScratch[kImportHeaderCount][kSlotBytes];
char joinScratch[kJoinBytes];

// Appends one byte to the current field; bytes past a slot's room are
// dropped (the field is cut at a character boundary when it ends).
void put_byte(CsvRecord* r, int32_t* length, int c) {
    if (r->count >= kMaxColumns || *length >= kSlotBytes) return;
    r->fields[r->count][(*length)++] = static_cast<char>(c);
}

void end_field(CsvRecord* r, int32_t* length) {
    if (r->count >= kMaxColumns) return;
    char* f = r->fields[r->count++];
    f[*length] = '\0';
    truncate_at(f, kSlotBytes - 1, 1);
    *length = 0;
}

// Reads one line as plain comma-separated text: quotes removed, every comma
// a separator.
void read_plain_line(TextModeReader* in, CsvRecord* r) {
    r->count = 0;
    r->empty = true;
    int32_t length = 0;
    for (int c = text_mode_getc(in); c >= 0 && c != '\n'; c = text_mode_getc(in)) {
        r->empty = false;
        if (c == ',') {
            end_field(r, &length);
        } else if (c != '"') {
            put_byte(r, &length, c);
        }
    }
    end_field(r, &length);
}

// Reads one record. Quotes, commas and line feeds are never trail bytes of
// Shift_JIS, so the bytes can be taken one by one. A line break inside
// quotes becomes one blank: record fields are single lines. A quote still
// open at the end of the file was no quoting (a stray mark such as 5"):
// the record's line is read again as plain text, and the next line starts
// the next record. false at the end of the file with nothing read.
bool read_csv_record(TextModeReader* in, CsvRecord* r) {
    r->count = 0;
    r->empty = true;
    int32_t length = 0;
    bool quoted = false;
    bool fieldStart = true;
    long start = text_mode_offset(in);
    int c = text_mode_getc(in);
    if (c < 0) return false;
    for (; c >= 0; c = text_mode_getc(in)) {
        if (quoted) {
            if (c == '"') {
                int next = text_mode_getc(in);
                if (next == '"') { put_byte(r, &length, '"'); continue; }
                quoted = false;
                c = next;
                if (c < 0) break;
            } else {
                put_byte(r, &length, c == '\n' || c == '\r' ? ' ' : c);
                continue;
            }
        }
        if (c == '\n') break;
        r->empty = false;
        if (c == ',') {
            end_field(r, &length);
            fieldStart = true;
            continue;
        }
        if (c == '"' && fieldStart) {
            quoted = true;
        } else {
            put_byte(r, &length, c);
        }
        fieldStart = false;
    }
    if (quoted && text_mode_seek(in, start)) {
        read_plain_line(in, r);
        return true;
    }
    end_field(r, &length);
    return true;
}

// Line 0: each non-empty field binds the first unbound slot of its name.
void bind_headers(const CsvRecord& r) {
    for (int32_t column = 0; column < r.count; ++column) {
        const char* name = r.fields[column];
        if (name[0] == '\0') continue;
        for (int32_t slot = 0; slot < kImportHeaderCount; ++slot) {
            if (g_bound[slot] < 0 && std::strcmp(name, ImportHeaders[slot]) == 0) {
                g_bound[slot] = column;
                break;
            }
        }
    }
}

void fill_slots(const CsvRecord& r) {
    for (int32_t slot = 0; slot < kImportHeaderCount; ++slot) {
        int32_t column = g_bound[slot];
        const char* value = column >= 0 && column < r.count ? r.fields[column] : "";
        std::memcpy(slotsScratch[slot], value, std::strlen(value) + 1);
    }
}

void store(char* field, const char* value) {
    int32_t n = char_boundary_length(value, kImportFieldBytes - 1);
    std::memcpy(field, value, static_cast<size_t>(n));
    field[n] = '\0';
}

// The first non-empty of the slots, or "".
const char* first_of(const int32_t* slots, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        if (slotsScratch[slots[i]][0] != '\0') return slotsScratch[slots[i]];
    }
    return "";
}

// "%s %s" of two slots when both hold text, else the one that does.
const char* joined(int32_t a, int32_t b) {
    const char* x = slotsScratch[a];
    const char* y = slotsScratch[b];
    if (x[0] == '\0' || y[0] == '\0') return x[0] != '\0' ? x : y;
    std::snprintf(joinScratch, sizeof joinScratch, "%s %s", x, y);
    return joinScratch;
}

// The first three non-empty slots of [first, last] into three fields.
void first_three(char (*fields)[kImportFieldBytes], int32_t first, int32_t last) {
    int32_t taken = 0;
    for (int32_t slot = first; slot <= last && taken < 3; ++slot) {
        if (slotsScratch[slot][0] != '\0') store(fields[taken++], slotsScratch[slot]);
    }
}

void build_record(ImportRecord* rec) {
    static const int32_t kNames[] = {0, 1, 2}, kReadings[] = {5, 6, 7, 10}, kNotes[] = {47, 48, 49, 50};
    std::memset(rec, 0, sizeof *rec);
    const char* name = first_of(kNames, 3);
    store(rec->fields[ImportName], name[0] != '\0' ? name : joined(3, 4));
    const char* reading = first_of(kReadings, 4);
    store(rec->fields[ImportFurigana], reading[0] != '\0' ? reading : joined(8, 9));
    first_three(&rec->fields[ImportPhone1], 11, 35);
    first_three(&rec->fields[ImportMail1], 36, 46);
    store(rec->fields[ImportNote], first_of(kNotes, 4));
    if (slotsScratch[51][0] != '\0') {
        store(rec->fields[ImportPostal], slotsScratch[51]);
    } else if (slotsScratch[53][0] != '\0') {
        std::snprintf(joinScratch, sizeof joinScratch, "%s%s%s", slotsScratch[52], slotsScratch[53], slotsScratch[54]);
        store(rec->fields[ImportPostal], joinScratch);
    }
    store(rec->fields[ImportBirthday], slotsScratch[55][0] != '\0' ? slotsScratch[55] : slotsScratch[56]);
    store(rec->fields[ImportUrl], slotsScratch[57][0] != '\0' ? slotsScratch[57] : slotsScratch[58]);
}

bool any_bound() {
    for (int32_t b : g_bound) {
        if (b >= 0) return true;
    }
    return false;
}

}  // namespace

int32_t import_outlook_csv(const char* path, int32_t rowLimit) {
    if (rowLimit > kImportRowLimit) rowLimit = kImportRowLimit;   // records 1-99 at most
    std::memset(ImportRecords, 0, sizeof ImportRecords);
    for (int32_t& b : g_bound) b = -1;
    FILE* f = open_file(path, "rb");
    if (f == nullptr) return 1;
    TextModeReader in;
    init_text_mode_reader(&in, f);
    int32_t n = 0, dropped = 0;
    for (; n < rowLimit && read_csv_record(&in, &recordScratch); ++n) {
        if (recordScratch.empty) {
            ++dropped;
        } else if (n == 0) {
            bind_headers(recordScratch);
        } else {
            ImportRecord* rec = &ImportRecords[n - dropped];
            fill_slots(recordScratch);
            build_record(rec);
            if (rec->fields[ImportName][0] == '\0') {
                std::memset(rec, 0, sizeof *rec);
                ++dropped;
            }
        }
    }
    std::fclose(f);
    g_import.count = n - dropped;
    if (!any_bound()) return 1;
    g_form.mode = 2;
    set_int_setting(SettingMode, 2);
    g_import.current = 1;
    show_import_record(1);
    g_import.inEffect = true;
    return 0;
}

void show_import_record(int32_t index, FormFields* form) {
    if (index < 0 || index >= kImportRecordCount) return;
    ImportRecord* rec = &ImportRecords[index];
    char* birthday = rec->fields[ImportBirthday];
    if (parse_birthday(birthday) == 0) {
        char digits[9];
        std::memcpy(digits, birthday, sizeof digits);
        std::snprintf(birthday, kImportFieldBytes, "%.4s/%.2s/%.2s", digits, digits + 4, digits + 6);
    } else {
        birthday[0] = '\0';
    }
    for (int32_t i = 0; i < kImportFieldCount; ++i) {
        const char* value = rec->fields[i];
        set_form_field(form, kAddressControls[i], value, static_cast<int32_t>(std::strlen(value)));
    }
}

int32_t step_import_record(int32_t position) {
    int32_t index = g_import.current + (g_import.lastPosition < position ? 1 : -1);
    if (index > g_import.count - 1) index = g_import.count - 1;
    if (index < 1) index = 1;
    g_import.current = index;
    g_import.lastPosition = position;
    show_import_record(index);
    return index;
}

void clear_import_records() {
    std::memset(ImportRecords, 0, sizeof ImportRecords);
    for (int32_t control : kAddressControls) set_form_field(&g_form, control, "", 0);
    g_import.inEffect = false;
}
