// Control texts and messages at the Win32 boundary: Shift_JIS inside,
// UTF-16 for the W functions, converted with code page 932 only here.
#include <windows.h>
#include <commdlg.h>

#include <cstring>

#include "payload/payload.h"
#include "payload/typed_text.h"
#include "persistence/start_up.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/win32/native_path.h"
#include "resources/messages.h"
#include "shell/shell_state.h"

namespace {

// UI thread only: room for the longest field (20,480 bytes) and its text.
constexpr int32_t kWideRoom = 20480;
wchar_t wideScratch[kWideRoom];
char narrowScratch[2 * kWideRoom];

int system_message_box(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) {
    return MessageBoxW(owner, text, caption, flags);
}

bool system_colour_chooser(HWND owner, uint32_t* colour) {
    static COLORREF custom[16];
    for (COLORREF& c : custom) c = RGB(255, 255, 255);
    custom[0] = *colour;
    CHOOSECOLORW choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.rgbResult = *colour;
    choose.lpCustColors = custom;
    choose.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!ChooseColorW(&choose)) return false;
    *colour = choose.rgbResult & 0xFFFFFF;
    return true;
}

MessageBoxSeam g_messageBox = system_message_box;
ColourChooserSeam g_colourChooser = system_colour_chooser;

}  // namespace

void set_message_box_seam(MessageBoxSeam seam) { g_messageBox = seam != nullptr ? seam : system_message_box; }
void set_colour_chooser_seam(ColourChooserSeam seam) {
    g_colourChooser = seam != nullptr ? seam : system_colour_chooser;
}

bool choose_colour(HWND owner, uint32_t* colour) { return g_colourChooser(owner, colour); }

void to_wide(const char* text, wchar_t* out, int32_t room) {
    int32_t length = static_cast<int32_t>(std::strlen(text));
    if (length > room - 1) length = room - 1;   // one unit per byte at most
    int32_t units = cp932_to_utf16(text, length, reinterpret_cast<uint16_t*>(out));
    out[units] = L'\0';
}

int show_message(HWND owner, const char* text, const char* caption, UINT flags) {
    static wchar_t wideText[2048];
    static wchar_t wideCaption[128];
    to_wide(text, wideText, 2048);
    to_wide(caption, wideCaption, 128);
    return g_messageBox(owner, wideText, wideCaption, flags);
}

int show_message_naming(HWND owner, const char* format, const char* name, const char* reason, const char* caption,
                        UINT flags) {
    // The format is Shift_JIS text; the name and the reason are UTF-8 and
    // go in as UTF-16, so a name that code page 932 cannot carry is shown
    // exactly as it is on the disk.
    static wchar_t text[3 * kPathUnits];
    static wchar_t piece[kPathUnits + 1];
    static wchar_t wideCaption[128];
    const char* mark = std::strstr(format, "%s");
    int32_t before = mark != nullptr ? static_cast<int32_t>(mark - format) : static_cast<int32_t>(std::strlen(format));
    int32_t units = cp932_to_utf16(format, before, reinterpret_cast<uint16_t*>(text));
    auto append = [&units](const wchar_t* more) {
        for (; *more != L'\0' && units < 3 * kPathUnits - 1; ++more) text[units++] = *more;
    };
    if (mark != nullptr) {
        append(wide_path(name, piece) != nullptr ? piece : L"?");
        to_wide(mark + 2, piece, kPathUnits + 1);
        append(piece);
    }
    if (reason != nullptr && reason[0] != '\0' && wide_path(reason, piece) != nullptr) {
        append(L"\n\n");
        append(piece);
    }
    text[units] = L'\0';
    to_wide(caption, wideCaption, 128);
    return g_messageBox(owner, text, wideCaption, flags);
}

void report_file_failure(const char* format, const char* path) {
    static char reason[1024];
    describe_file_error(last_file_error(), reason, sizeof reason);
    show_message_naming(g_shell.window, format, path, reason, kFileFailedCaption, MB_OK | MB_ICONWARNING);
}

int show_user_message(const UserMessage& message) {
    if (!message.show) return 0;
    HWND owner = message.owner == OwnerMainForm ? g_shell.form : g_shell.window;
    return show_message(owner, message.text, message.caption, static_cast<UINT>(message.icon | message.buttons));
}

int32_t control_text(HWND control, char* out, int32_t room) {
    out[0] = '\0';
    if (control == nullptr || room <= 0) return 0;
    int32_t units = GetWindowTextW(control, wideScratch, kWideRoom);
    int32_t bytes = utf16_to_cp932(reinterpret_cast<const uint16_t*>(wideScratch), units, narrowScratch, nullptr, nullptr);
    narrowScratch[bytes] = '\0';
    if (bytes > room - 1) {
        truncate_at(narrowScratch, room - 1, 1);
        bytes = static_cast<int32_t>(std::strlen(narrowScratch));
    }
    std::memcpy(out, narrowScratch, static_cast<size_t>(bytes) + 1);
    return bytes;
}

int32_t field_text(HWND control, char* out, int32_t room, bool keepEvery, TypedTextNotes* notes) {
    out[0] = '\0';
    if (control == nullptr || room <= 0) return 0;
    int32_t units = GetWindowTextW(control, wideScratch, kWideRoom);
    return typed_text_to_sjis(reinterpret_cast<const uint16_t*>(wideScratch), units, keepEvery, out, room, notes, nullptr);
}

void set_control_text(HWND control, const char* text) {
    to_wide(text, wideScratch, kWideRoom);
    SetWindowTextW(control, wideScratch);
}

HWND form_item(int32_t id) { return GetDlgItem(g_shell.form, id); }

bool is_checked(int32_t id) { return SendMessageW(form_item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
