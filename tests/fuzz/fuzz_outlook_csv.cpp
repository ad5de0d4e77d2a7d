// The Outlook CSV import on any bytes with any row limit: a failed import
// leaves every record empty and no import in effect; a successful one is in
// address mode with record 1 shown, every record field holds no line feed and
// at most 99 bytes, every record below the count has a name and every one
// above it is empty, and stepping stays within the records.
#include <cstring>
#include <string>

#include "payload/payload.h"
#include "persistence/outlook_import.h"
#include "settings/settings_tables.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

bool record_empty(const ImportRecord& r) {
    for (const char* field : r.fields) {
        if (field[0] != '\0') return false;
    }
    return true;
}

void check_record(int32_t index) {
    const ImportRecord& r = ImportRecords[index];
    for (int32_t f = 0; f < kImportFieldCount; ++f) {
        const char* field = r.fields[f];
        size_t n = strnlen(field, kImportFieldBytes);
        FUZZ_CHECK(n < static_cast<size_t>(kImportFieldBytes), "record %d field %d is not terminated", index, f);
        // A lone CR is data in a CSV line (text mode keeps it); line feeds are breaks.
        FUZZ_CHECK(std::strchr(field, '\n') == nullptr, "record %d field %d holds a line break: %s", index, f,
                   printable(field).c_str());
    }
}

// Record index is in the form: every address field but the birthday equal,
// the birthday YYYY/MM/DD or empty in both.
void check_shown(int32_t index) {
    const ImportRecord& r = ImportRecords[index];
    for (int32_t f = 0; f < kImportFieldCount; ++f) {
        const char* shown = form_field(&g_form, kAddressControls[f]);
        if (f == ImportBirthday) {
            FUZZ_CHECK(std::strcmp(shown, r.fields[f]) == 0 || shown[0] == '\0', "birthday %s shown as %s",
                       printable(r.fields[f]).c_str(), printable(shown).c_str());
            size_t n = std::strlen(shown);
            FUZZ_CHECK(n == 0 || (n == 10 && shown[4] == '/' && shown[7] == '/'), "birthday shown as %s",
                       printable(shown).c_str());
        } else {
            FUZZ_CHECK(std::strcmp(shown, r.fields[f]) == 0, "record %d field %d: %s shown as %s", index, f,
                       printable(r.fields[f]).c_str(), printable(shown).c_str());
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    reset_settings_tables();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in = {data, size, 0};
    const int32_t rowLimit = 1 + take_byte(&in) % kImportRowLimit;
    const std::string path = fuzz_folder() + "in.csv";
    std::string csv = take_rest(&in);
    fuzz_write_file(path, csv.data(), csv.size());

    clear_import_records();
    clear_form(&g_form);
    int32_t result = import_outlook_csv(path.c_str(), rowLimit);
    FUZZ_CHECK(result == 0 || result == 1, "import result %d", result);
    FUZZ_CHECK(record_empty(ImportRecords[0]), "record 0 was filled");
    if (result == 1) {
        FUZZ_CHECK(!g_import.inEffect, "a failed import is in effect");
        for (int32_t i = 0; i < kImportRecordCount; ++i) {
            FUZZ_CHECK(record_empty(ImportRecords[i]), "a failed import left record %d", i);
        }
        return 0;
    }
    FUZZ_CHECK(g_import.inEffect && g_form.mode == 2 && g_import.current == 1,
               "a successful import: in effect %d, mode %d, current %d", g_import.inEffect, g_form.mode,
               g_import.current);
    FUZZ_CHECK(g_import.count >= 1 && g_import.count <= rowLimit, "count %d with row limit %d", g_import.count,
               rowLimit);
    for (int32_t i = 0; i < kImportRecordCount; ++i) {
        check_record(i);
        if (i >= 1 && i < g_import.count) {
            FUZZ_CHECK(ImportRecords[i].fields[ImportName][0] != '\0', "record %d of %d has no name", i,
                       g_import.count - 1);
        } else {
            FUZZ_CHECK(record_empty(ImportRecords[i]), "record %d past the count %d is filled", i, g_import.count);
        }
    }
    check_shown(1);
    // Forward to the last record and one step past it, then back past the first.
    const int32_t last = g_import.count > 1 ? g_import.count - 1 : 1;
    int32_t position = g_import.lastPosition;
    for (int32_t step = 0; step < g_import.count; ++step) {
        int32_t shown = step_import_record(++position);
        FUZZ_CHECK(shown == (step + 2 < last ? step + 2 : last), "step %d forward shows %d of %d", step, shown, last);
        check_shown(shown);
    }
    for (int32_t step = 0; step < g_import.count; ++step) {
        int32_t shown = step_import_record(--position);
        FUZZ_CHECK(shown >= 1 && shown <= last, "stepping back shows %d of %d", shown, last);
    }
    FUZZ_CHECK(g_import.current == 1, "stepping back ends at %d", g_import.current);
    return 0;
}
