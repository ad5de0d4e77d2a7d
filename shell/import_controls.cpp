// The Outlook import on screen: command IDM_IMPORT with its file dialog, the
// import panel's spin (IDC_IMPORT_SPIN) stepping through the records and its button
// (IDC_IMPORT_CLEAR) clearing them.
#include <windows.h>
#include <commctrl.h>

#include "persistence/documents.h"
#include "persistence/outlook_import.h"
#include "pipeline/generation.h"
#include "resources/resource.h"
#include "shell/shell_state.h"
#include "resources/messages.h"

namespace {


// g_form as the controls show it now; no pass may read it meanwhile.
void take_controls() {
    join_worker();
    fill_form(nullptr);
}

}  // namespace

void import_command() {
    static char path[kFileNameBytes];
    if (!choose_file({false, kImportTitle, kImportFilter, 0, NoPanel, nullptr, nullptr}, path)) return;
    if (!name_ends_with(path, ".csv")) return;
    take_controls();
    if (import_outlook_csv(path, kImportRowLimit) == 0) {
        show_form_fields();
        show_imported_records();
    }
    if (!g_import.inEffect) show_message(g_shell.form, kImportErrorText, kImportFailedCaption, MB_OK | MB_ICONWARNING);
}

void sync_import_spin() {
    g_import.lastPosition = static_cast<int32_t>(SendMessageW(form_item(IDC_IMPORT_SPIN), UDM_GETPOS32, 0, 0));
}

void on_import_spin() {
    if (!g_import.inEffect) return;
    auto position = static_cast<int32_t>(SendMessageW(form_item(IDC_IMPORT_SPIN), UDM_GETPOS32, 0, 0));
    take_controls();
    step_import_record(position);
    show_form_fields();
}

void clear_imported_records() {
    take_controls();
    clear_import_records();
    show_form_fields();
    g_shell.importPresent = false;
    static const int32_t kPanel[] = {IDC_IMPORT_CLEAR, IDC_IMPORT_GROUP, IDC_IMPORT_SPIN};
    for (int32_t id : kPanel) ShowWindow(form_item(id), SW_HIDE);
}
