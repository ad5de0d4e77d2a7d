// Saving codes as bitmap files ("BMPを保存", "全てのBMPを保存") and the
// toolbar's "データを保存" with its save-kind dialog.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <cstdio>

#include "output/output.h"
#include "pipeline/generation.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell_state.h"
#include "resources/messages.h"

namespace {


const DWORD kBitmapFlags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY;

// The No Data message when the code list is empty; true when it was shown.
bool no_codes_to_save() {
    int32_t count = 0, current = 0;
    read_code_count(&count, &current);
    if (count > 0) return false;
    show_message(g_shell.window, kNoDataToSave, kNoDataCaption, MB_OK | MB_ICONWARNING);
    return true;
}

// The trackbar decides the image size; it is kept as "sliderpos".
int32_t size_step() {
    auto step = static_cast<int32_t>(SendMessageW(form_item(IDC_SIZE_SLIDER), TBM_GETPOS, 0, 0));
    set_int_setting(SettingSliderPos, step);
    return step;
}

bool replace_numbered_files(void*) {
    return show_message(g_shell.window, kOverwriteQuestion, "", MB_YESNO | MB_ICONWARNING) == IDYES;
}

INT_PTR CALLBACK save_kind_proc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            CheckRadioButton(dialog, IDC_SAVE_KIND_BMP, IDC_SAVE_KIND_TEXT, IDC_SAVE_KIND_BMP);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                bool text = IsDlgButtonChecked(dialog, IDC_SAVE_KIND_TEXT) == BST_CHECKED;
                EndDialog(dialog, text ? SaveKindText : SaveKindBitmap);
            } else if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, SaveKindNothing);
            }
            return TRUE;
        case WM_CLOSE: EndDialog(dialog, SaveKindNothing); return TRUE;
        default: return FALSE;
    }
}

}  // namespace

void save_shown_bitmap_command() {
    if (no_codes_to_save()) return;
    static char path[kBitmapPathBytes];
    // The dialog lists the ImageKind types; the type last chosen is offered.
    // The hook asks before replacing the name with the type's extension,
    // the one written.
    int32_t kind = int_setting(SettingSaveImageType);
    FileDialogRequest request = {true,    kSaveBitmapTitle,      kImageFilter, kBitmapFlags,
                                 NoPanel, ensure_kind_extension, &kind};
    if (!choose_file(request, path)) return;
    set_int_setting(SettingSaveImageType, kind);
    if (save_shown_image(path, kind, size_step(), shown_style()) == SaveFailed) report_file_failure(kFileWriteFailed, path);
}

void save_all_bitmaps_command() {
    if (no_codes_to_save()) return;
    static char path[kBitmapPathBytes];
    int32_t kind = int_setting(SettingSaveImageType);
    FileDialogRequest request = {true, kSaveAllTitle, kImageFilter, kBitmapFlags, NumberingPanel, nullptr, &kind};
    if (!choose_file(request, path)) return;
    set_int_setting(SettingSaveImageType, kind);
    uint32_t failed = 0;
    int32_t style = int_setting(SettingAddPrePost);
    int32_t step = size_step();
    if (save_all_images(path, kind, style, step, shown_style(), replace_numbered_files, nullptr, &failed) != SaveFailed) {
        return;
    }
    // The first name that could not be written stands for the others.
    static char name[kBitmapPathBytes + 48];
    int32_t k = 0;
    while (k < 31 && failed != 0 && (failed & (1u << k)) == 0) ++k;
    if (failed == 0 || numbered_name(path, style, k, name, sizeof name) != 0) std::snprintf(name, sizeof name, "%s", path);
    report_file_failure(kFileWriteFailed, name);
}

int32_t ask_save_kind(HWND owner) {
    INT_PTR kind = DialogBoxParamW(g_shell.instance, MAKEINTRESOURCEW(IDD_SAVE_KIND), owner, save_kind_proc, 0);
    return kind == SaveKindBitmap || kind == SaveKindText ? static_cast<int32_t>(kind) : SaveKindNothing;
}

void save_data_command() {
    int32_t kind = ask_save_kind(g_shell.window);
    if (kind == SaveKindBitmap) dispatch_command(IDM_SAVE_BMP);
    if (kind == SaveKindText) dispatch_command(IDM_TEXT_SAVE);
}
