// Printing: the registered codes, where each code goes on the page and the
// print job itself through a driver record. Main (window) thread only; the
// one allocation is the raster storage of a job larger than the static area.
#include "output/output.h"

#include <cstring>
#include <new>

#include "payload/payload.h"
#include "pipeline/generation.h"
#include "resources/messages.h"
#include "settings/settings_tables.h"

RegisteredCodeStore RegisteredCodes;


namespace {

CodeSlot shownCopy;   // the shown code while it is registered

void clear_entry(RegisteredCode* entry) {
    std::memset(entry->matrix, 0, sizeof entry->matrix);
    entry->version = 0;
    entry->text[0] = '\0';
    entry->utf8 = 0;
}

int32_t shown_index(int32_t count, int32_t current) {
    if (current >= count) current = count - 1;
    return current < 0 ? 0 : current;
}

void copy_text(const char* text, char* out, int32_t room) {
    if (room <= 0) return;
    auto length = static_cast<int32_t>(std::strlen(text));
    if (length > room - 1) length = room - 1;
    std::memcpy(out, text, static_cast<size_t>(length));
    out[length] = '\0';
}

// The largest image of the job, in bytes of raster storage.
int32_t job_storage_bytes(int32_t type, int32_t scale) {
    int32_t count = 0, current = 0, version = 0, largest = 1;
    static char text[kCodeTextBytes];
    read_code_count(&count, &current);
    if (type == PrintRegistered) {
        for (const RegisteredCode& entry : RegisteredCodes.entries) {
            if (entry.version > largest) largest = entry.version;
        }
    } else {
        for (int32_t k = 0; k < count; ++k) {
            if (read_code_text(k, text, &version) == 0 && version > largest) largest = version;
        }
    }
    int32_t side = image_side(largest, int_setting(SettingDrawMargin), 1, scale);
    return raster_stride(side) * side;
}

int32_t item_count(int32_t type) {
    int32_t count = 0, current = 0;
    read_code_count(&count, &current);
    if (type == PrintShown) return count > 0 ? 1 : 0;
    return type == PrintAll ? count : kRegisteredCodeCount;
}

void draw_items(void* surface, int32_t type, int32_t printSize) {
    int32_t count = 0, current = 0;
    read_code_count(&count, &current);
    for (int32_t k = 0; k < item_count(type); ++k) {
        PrintPlace at = print_place(type, printSize, k);
        int32_t index = type == PrintShown ? shown_index(count, current) : k;
        draw_symbol(Printer, surface, nullptr, 1, index, print_scale(printSize), at.x, at.y);
    }
}

}  // namespace

int32_t register_shown_code(int32_t carrier) {
    if (RegisteredCodes.count >= kRegisteredCodeCount) return RegisterFull;
    int32_t count = 0, current = 0;
    read_code_count(&count, &current);
    if (count == 0 || read_code(shown_index(count, current), &shownCopy) != 0 || shownCopy.text[0] == '\0') {
        return RegisterNothing;
    }
    RegisteredCode& entry = RegisteredCodes.entries[RegisteredCodes.count];
    std::memcpy(entry.matrix, shownCopy.matrix, sizeof entry.matrix);
    entry.version = shownCopy.version;
    std::memcpy(entry.text, shownCopy.text, sizeof entry.text);
    entry.utf8 = carrier == Utf8 ? 1 : 0;
    ++RegisteredCodes.count;
    return RegisterDone;
}

int32_t delete_registered_code(int32_t index) {
    int32_t count = RegisteredCodes.count;
    if (index < 0 || index >= count) return 1;
    for (int32_t k = index; k + 1 < count; ++k) {
        std::memcpy(&RegisteredCodes.entries[k], &RegisteredCodes.entries[k + 1], sizeof(RegisteredCode));
    }
    clear_entry(&RegisteredCodes.entries[count - 1]);
    RegisteredCodes.count = count - 1;
    return 0;
}

void clear_registered_codes() {
    for (RegisteredCode& entry : RegisteredCodes.entries) clear_entry(&entry);
    RegisteredCodes.count = 0;
}

PrintPlace print_place(int32_t type, int32_t printSize, int32_t k) {
    int32_t f = print_scale(printSize);
    if (type == PrintShown) return {100, 100};
    int32_t perRow = printSize <= 4 ? 3 : 2;
    int32_t pitch = f * 250;
    if (type == PrintAll) pitch = printSize <= 4 ? 1500 : 2200;
    return {100 + (k % perRow) * pitch, 100 + (k / perRow) * f * 200};
}

bool has_print_data(int32_t type) {
    if (type == PrintRegistered) {
        for (int32_t k = 0; k < RegisteredCodes.count; ++k) {
            if (RegisteredCodes.entries[k].text[0] != '\0') return true;
        }
        return false;
    }
    int32_t count = 0, current = 0, version = 0;
    static char text[kCodeTextBytes];
    read_code_count(&count, &current);
    if (type == PrintShown) return count > 0 && read_code_text(shown_index(count, current), text, &version) == 0 &&
                                   text[0] != '\0';
    for (int32_t k = 0; k < count; ++k) {
        if (read_code_text(k, text, &version) == 0 && text[0] != '\0') return true;
    }
    return false;
}

void print_panel_text(int32_t type, int32_t entry, int32_t carrier, char* out, int32_t room) {
    static char text[kCodeTextBytes];
    int32_t count = 0, current = 0, version = 0;
    copy_text("", out, room);
    if (type == PrintRegistered) {
        if (entry < 0 || entry >= kRegisteredCodeCount) return;
        const RegisteredCode& code = RegisteredCodes.entries[entry];
        copy_text(code.utf8 ? kUnicodeTextMark : code.text, out, room);
    } else if (carrier == Utf8) {
        copy_text(kUnicodeTextMark, out, room);
    } else if (type == PrintAll) {
        join_worker();   // no pass writes the payload while it is read
        copy_text(g_payload.text, out, room);
    } else {
        read_code_count(&count, &current);
        if (count > 0 && read_code_text(shown_index(count, current), text, &version) == 0) copy_text(text, out, room);
    }
}

int32_t printer_name_of(const char* device, char* out, int32_t room) {
    size_t length = std::strcspn(device, ",\r\n");
    if (room <= 0 || length > static_cast<size_t>(room - 1)) return 1;
    std::memcpy(out, device, length);
    out[length] = '\0';
    return 0;
}

int32_t print_codes(const PrinterDriver& driver, int32_t type, int32_t printSize) {
    void* surface = driver.open_default(driver.context);
    if (surface == nullptr) return PrintNoPrinter;
    if (!has_print_data(type)) {
        driver.release(surface, driver.context);
        return PrintNoData;
    }
    if (driver.start_page(surface, kPrintDocumentName, driver.context) == 0) {
        int32_t bytes = job_storage_bytes(type, print_scale(printSize));
        uint8_t* storage = bytes > kRasterBytes ? new (std::nothrow) uint8_t[bytes] : nullptr;
        set_raster_storage(storage, bytes);
        draw_items(surface, type, printSize);
        set_raster_storage(nullptr, 0);
        delete[] storage;
        driver.end_page(surface, driver.context);
    }
    driver.release(surface, driver.context);
    return PrintDone;
}
