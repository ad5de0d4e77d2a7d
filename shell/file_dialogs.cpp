// The one file-dialog record every file command shares (its name buffer
// keeps the last chosen name and pre-fills the next dialog), the seam that
// stands in for the system's dialogs, and the two add-on panels with their hook.
#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <cwchar>

#include "output/output.h"
#include "persistence/documents.h"
#include "platform/codepage.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell_state.h"

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

OPENFILENAMEW g_dialog;
wchar_t g_name[kFileNameChars];
wchar_t g_title[128];
wchar_t g_filter[256];

BOOL system_file_dialog(OPENFILENAMEW* dialog, bool save) {
    return save ? GetSaveFileNameW(dialog) : GetOpenFileNameW(dialog);
}

FileDialogSeam g_fileDialog = system_file_dialog;

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
    if (index >= 0 && index < record.count) IntSettings[record.setting].value = index;
}

UINT_PTR CALLBACK panel_hook(HWND panel, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<OPENFILENAMEW*>(lParam);
        auto* record = reinterpret_cast<const PanelRecord*>(dialog->lCustData);
        SetWindowLongPtrW(panel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
        fill_panel(panel, *record);
        return TRUE;
    }
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_FILEOK) {
        auto* record = reinterpret_cast<const PanelRecord*>(GetWindowLongPtrW(panel, GWLP_USERDATA));
        if (record != nullptr) store_panel(panel, *record);
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

void set_file_dialog_seam(FileDialogSeam seam) { g_fileDialog = seam != nullptr ? seam : system_file_dialog; }

void prepare_file_dialogs() {
    std::memset(&g_dialog, 0, sizeof g_dialog);
    g_name[0] = L'\0';
    g_dialog.lStructSize = sizeof g_dialog;
    g_dialog.hwndOwner = g_shell.form;
    g_dialog.hInstance = g_shell.instance;
    g_dialog.lpstrFile = g_name;
    g_dialog.nMaxFile = kFileNameChars;
}

bool choose_file(const FileDialogRequest& request, char* out) {
    out[0] = '\0';
    to_wide(request.title, g_title, 128);
    list_to_wide(request.filter, g_filter, 256);
    g_dialog.lpstrTitle = g_title;
    g_dialog.lpstrFilter = g_filter;
    g_dialog.nFilterIndex = 1;
    g_dialog.Flags = request.flags;
    const PanelRecord& panel = kPanels[request.panel];
    if (panel.templateId != 0) g_dialog.Flags |= OFN_ENABLEHOOK | OFN_ENABLETEMPLATE;
    g_dialog.lpfnHook = panel.templateId != 0 ? panel_hook : nullptr;
    g_dialog.lpTemplateName = panel.templateId != 0 ? MAKEINTRESOURCEW(panel.templateId) : nullptr;
    g_dialog.lCustData = reinterpret_cast<LPARAM>(&panel);
    if (!g_fileDialog(&g_dialog, request.save)) return false;
    g_name[kFileNameChars - 1] = L'\0';
    int32_t units = static_cast<int32_t>(std::wcslen(g_name));
    int32_t bytes = utf16_to_cp932(reinterpret_cast<const uint16_t*>(g_name), units, out, nullptr, nullptr);
    out[bytes] = '\0';
    return bytes > 0;
}
