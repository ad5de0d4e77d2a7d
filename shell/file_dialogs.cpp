// The one file-dialog record every file command shares (its name buffer
// keeps the last chosen name and pre-fills the next dialog), the seam that
// stands in for the system's dialogs, the two add-on panels and the hook
// that stores a panel's choice and asks before the name written replaces a file.
#include <windows.h>
#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "output/output.h"
#include "payload/payload.h"
#include "persistence/documents.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/win32/native_path.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell_state.h"
#include "resources/messages.h"

namespace {

struct PanelRecord {
    int32_t templateId;
    int32_t list;         // the drop-down list of the panel
    int32_t setting;      // IntSettings row of the chosen index
    int32_t count;        // items of the list
    void (*text)(int32_t index, char* out);   // item text, Shift_JIS (room 64)
};

void document_kind_text(int32_t index, char* out) { std::strcpy(out, kDocumentKindLabels[index]); }

const PanelRecord kPanels[] = {
    {0, 0, 0, 0, nullptr},
    {IDD_NUMBERING_PANEL, IDC_NUMBERING_LIST, SettingAddPrePost, kNumberingStyleCount, numbering_style_text},
    {IDD_TEXT_KIND_PANEL, IDC_TEXT_KIND_LIST, SettingSaveTextType, kDocumentKindCount, document_kind_text},
};

// What the hook of one dialog does: the panel it fills and stores (templateId
// 0: none), and the name forming that decides what the command writes.
struct HookRecord {
    const PanelRecord* panel;
    const char* title;                           // the question's caption
    int32_t (*finalName)(char* path, int32_t room, int32_t fileType);   // null: no question
};


OPENFILENAMEW g_dialog;
HookRecord g_hook;
wchar_t g_name[kFileNameChars];
wchar_t titleScratch[128];
wchar_t filterScratch[256];

FileDialogSeam g_fileDialog = show_item_dialog;

// The list shows the setting's index (modulo the item count) when the panel opens.
void fill_panel(HWND panel, const PanelRecord& record) {
    HWND list = GetDlgItem(panel, record.list);
    char text[64];
    wchar_t wide[64];
    for (int32_t i = 0; i < record.count; ++i) {
        record.text(i, text);
        to_wide(text, wide, 64);
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide));
    }
    int32_t value = int_setting(record.setting) % record.count;
    SendMessageW(list, CB_SETCURSEL, value < 0 ? value + record.count : value, 0);
}

// Confirmation of the dialog: the list's choice becomes the setting, even
// if the command then decides to write nothing.
void store_panel(HWND panel, const PanelRecord& record) {
    auto index = static_cast<int32_t>(SendMessageW(GetDlgItem(panel, record.list), CB_GETCURSEL, 0, 0));
    if (index >= 0 && index < record.count) set_int_setting(record.setting, index);
}

// The name from the system (UTF-16) as the program's UTF-8 path, every
// character kept; false when it is empty.
bool narrow_name(const wchar_t* wide, char* out) { return utf8_from_wide(wide, out, kFileNameBytes); }

// The last component of a UTF-8 path (no byte of a longer character is
// ever a separator).
const char* name_part(const char* path) {
    const char* name = path;
    for (const char* p = path; *p != '\0'; ++p) {
        if (*p == '\\' || *p == '/') name = p + 1;
    }
    return name;
}

// The file type of the dialog's list, from 0.
int32_t file_type_of(const OPENFILENAMEW& dialog) {
    return dialog.nFilterIndex > 0 ? static_cast<int32_t>(dialog.nFilterIndex) - 1 : 0;
}

// The confirmed name as the command will write it in the type chosen: when
// that file exists, the user is asked (No the default); true to let the
// dialog close.
bool may_write(HWND dialog, const HookRecord& record, const OPENFILENAMEW& chosen) {
    if (record.finalName == nullptr) return true;
    static char path[kFileNameBytes + 8];
    if (!narrow_name(chosen.lpstrFile, path)) return true;
    if (record.finalName(path, sizeof path, file_type_of(chosen)) != 0) return true;
    if (file_kind(path) == PathMissing) return true;
    return show_message_naming(dialog, kReplaceQuestion, name_part(path), nullptr, record.title,
                               MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

// The hook of the dialog's child (the add-on panel, or the empty child the
// system makes without a template). At confirmation (CDN_FILEOK) a refused
// name keeps the dialog open with the name as typed; an accepted one stores
// the panel's choice.
UINT_PTR CALLBACK file_dialog_hook(HWND child, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<OPENFILENAMEW*>(lParam);
        auto* record = reinterpret_cast<const HookRecord*>(dialog->lCustData);
        SetWindowLongPtrW(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
        if (record->panel->templateId != 0) fill_panel(child, *record->panel);
        return TRUE;
    }
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_FILEOK) {
        auto* record = reinterpret_cast<const HookRecord*>(GetWindowLongPtrW(child, GWLP_USERDATA));
        if (record == nullptr) return 0;
        const OPENFILENAMEW* dialog = reinterpret_cast<OFNOTIFYW*>(lParam)->lpOFN;
        if (!may_write(GetParent(child), *record, *dialog)) {
            SetWindowLongPtrW(child, DWLP_MSGRESULT, 1);
            return TRUE;
        }
        if (record->panel->templateId != 0) store_panel(child, *record->panel);
    }
    return 0;
}

// A Shift_JIS list of NUL-terminated texts ending with an empty one.
void list_to_wide(const char* list, wchar_t* out, int32_t room) {
    int32_t length = 0;
    while (list[length] != '\0' || list[length + 1] != '\0') ++length;
    length += 2;
    if (length > room) length = room;
    cp932_to_utf16(list, length, reinterpret_cast<uint16_t*>(out));
    out[room - 1] = L'\0';
    out[room - 2] = L'\0';
}

}  // namespace

void set_file_dialog_seam(FileDialogSeam seam) { g_fileDialog = seam != nullptr ? seam : show_item_dialog; }

void prepare_file_dialogs() {
    std::memset(&g_dialog, 0, sizeof g_dialog);
    g_name[0] = L'\0';
    g_dialog.lStructSize = sizeof g_dialog;
    // The top-level window, so that it is disabled while a dialog is up.
    g_dialog.hwndOwner = g_shell.window;
    g_dialog.hInstance = g_shell.instance;
    g_dialog.lpstrFile = g_name;
    g_dialog.nMaxFile = kFileNameChars;
}

bool choose_file(const FileDialogRequest& request, char* out) {
    out[0] = '\0';
    to_wide(request.title, titleScratch, 128);
    list_to_wide(request.filter, filterScratch, 256);
    g_dialog.lpstrTitle = titleScratch;
    g_dialog.lpstrFilter = filterScratch;
    g_dialog.nFilterIndex = request.fileType != nullptr ? static_cast<DWORD>(*request.fileType) + 1 : 1;
    g_dialog.Flags = request.flags;
    g_hook = {&kPanels[request.panel], request.title, request.finalName};
    bool panel = g_hook.panel->templateId != 0;
    bool hooked = panel || request.finalName != nullptr;
    if (hooked) g_dialog.Flags |= OFN_ENABLEHOOK;
    if (panel) g_dialog.Flags |= OFN_ENABLETEMPLATE;
    g_dialog.lpfnHook = hooked ? file_dialog_hook : nullptr;
    g_dialog.lpTemplateName = panel ? MAKEINTRESOURCEW(g_hook.panel->templateId) : nullptr;
    g_dialog.lCustData = reinterpret_cast<LPARAM>(&g_hook);
    if (!g_fileDialog(&g_dialog, request.save)) return false;
    g_name[kFileNameChars - 1] = L'\0';
    if (request.fileType != nullptr) *request.fileType = file_type_of(g_dialog);
    return narrow_name(g_name, out);
}
