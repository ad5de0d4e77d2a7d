// Text documents on screen: "テキストを開く", "テキストを保存", the resume
// file, the command-line document and dropped files. The controls go into
// g_form before a document is written or read, and g_form back into the
// controls after anything was read.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

#include "payload/form_fields.h"
#include "persistence/documents.h"
#include "persistence/outlook_import.h"
#include "persistence/settings_store.h"
#include "pipeline/generation.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/win32/native_path.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell_state.h"
#include "resources/messages.h"

namespace {


const DWORD kTextFlags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING;

// Arguments of the start-up: the program and the document.
const wchar_t* g_commandLine = nullptr;
char g_arguments[2][kFileNameBytes];

// g_form as the controls show it now; no pass may read it meanwhile.
void take_form() {
    join_worker();
    fill_form(nullptr);
}

// A name from the system (UTF-16) as the program's UTF-8 path, every
// character kept; false when it does not fit.
bool to_narrow(const wchar_t* wide, char* out) {
    return std::wcslen(wide) < static_cast<size_t>(kFileNameChars) && utf8_from_wide(wide, out, kFileNameBytes);
}

// Every dropped name in the system's order, each fetched as its turn comes,
// so a drop of any size is read whole; the first ".csv" is imported and
// ends the drop. A name too long for the program is passed over.
void read_dropped_names(HDROP drop, DropOutcome* outcome) {
    static wchar_t wide[kFileNameChars];
    static char name[kFileNameBytes];
    const char* names[1] = {name};
    load_dropped_files(names, 0, outcome);   // the outcome of an empty drop
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count && outcome->importResult == -1; ++i) {
        if (DragQueryFileW(drop, i, nullptr, 0) >= kFileNameChars) continue;
        if (DragQueryFileW(drop, i, wide, kFileNameChars) == 0 || !to_narrow(wide, name)) continue;
        load_dropped_files(names, 1, outcome);
    }
}

void read_drop(HDROP drop) {
    SetForegroundWindow(GetParent(g_shell.form));
    take_form();
    static DropOutcome outcome;
    read_dropped_names(drop, &outcome);
    show_form_fields();
    show_user_message(outcome.message);
    if (outcome.importResult == 0 && g_import.inEffect) show_imported_records();
}

// The start-up arguments from the UTF-16 command line: at most the program
// and the document count. Returns argc.
int32_t start_arguments(const char** argv) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(g_commandLine != nullptr ? g_commandLine : GetCommandLineW(), &count);
    if (wide == nullptr) return 0;
    int32_t argc = 0;
    for (int i = 0; i < count && argc < 2; ++i) {
        if (!to_narrow(wide[i], g_arguments[argc])) break;
        argv[argc] = g_arguments[argc];
        ++argc;
    }
    LocalFree(wide);
    return argc;
}

// Characters that Shift_JIS cannot carry are named, and the document is
// written only on Yes (No the default).
bool may_lose_characters() {
    if (g_form.notes.inexact.count == 0) return true;
    char names[64];
    static char question[sizeof kDocumentLossQuestion + sizeof names];
    lost_chars_text(g_form.notes.inexact, names, sizeof names);
    std::snprintf(question, sizeof question, kDocumentLossQuestion, names);
    return show_message(g_shell.window, question, kTextSaveTitle, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

// A document is always a text file, whatever the type.
int32_t txt_name(char* path, int32_t room, int32_t) { return ensure_txt_extension(path, room); }

}  // namespace

void set_start_command_line(const wchar_t* commandLine) { g_commandLine = commandLine; }

// Address mode with the first record and the import controls.
void show_imported_records() {
    g_shell.importPresent = true;
    sync_import_spin();
    select_mode(2, true);
}

void prepare_documents() {
    prepare_file_dialogs();
    const TextSetting* filter = find_text_setting("extfilter");
    parse_extension_filter(filter != nullptr ? filter->value : "");
}

void open_text_command() {
    static char path[kFileNameBytes];
    if (!choose_file({false, kTextOpenTitle, kTextOpenFilter, kTextFlags, NoPanel, nullptr, nullptr}, path)) return;
    FILE* file = open_file(path, "rb");
    if (file == nullptr) {
        report_file_failure(kFileReadFailed, path);
        return;
    }
    take_form();
    read_document(file);
    std::fclose(file);
    show_form_fields();
}

void save_text_command() {
    static char path[kFileNameBytes + 8];
    // The question about replacing a file is the hook's: it asks about the
    // name with ".txt", which the system's own prompt never sees.
    FileDialogRequest request = {true, kTextSaveTitle, kTextSaveFilter, kTextFlags, TextKindPanel, txt_name, nullptr};
    if (!choose_file(request, path)) return;
    ensure_txt_extension(path, sizeof path);
    take_form();
    if (!may_lose_characters()) return;
    if (write_document(path, int_setting(SettingSaveTextType)) != 0) report_file_failure(kFileWriteFailed, path);
}

void toggle_resume() {
    set_int_setting(SettingResume, int_setting(SettingResume) ? 0 : 1);
    check_menu(IDM_RESUME, int_setting(SettingResume) != 0);
}

void open_start_up_document() {
    const char* argv[2] = {nullptr, nullptr};
    int32_t argc = start_arguments(argv);
    take_form();
    if (open_start_document(argc, argv) == 0) {
        show_form_fields();
        return;
    }
    if (argc < 2 || match_document_extension(argv[1]) < 0) return;
    // A document the user named that cannot be read is said (one of another
    // kind is passed over, as a drop of it is), and the last session comes
    // back instead, so the resume file written at exit does not lose it.
    if (file_kind(argv[1]) != 0) keep_file_error(false);   // the probe's "not found"
    report_file_failure(kFileReadFailed, argv[1]);
    if (open_start_document(1, argv) == 0) show_form_fields();
}

void on_drop_files(HDROP drop) {
    if (g_shell.dropGuard) {
        DragFinish(drop);   // released unread
        return;
    }
    // Raised before reading: a message box of the import must not let a
    // second drop in.
    g_shell.dropGuard = true;
    read_drop(drop);
    DragFinish(drop);
    SetTimer(g_shell.window, IDT_DROP_GUARD, 100, nullptr);
}

void write_resume_at_exit() {
    take_form();
    write_resume_file();
}
