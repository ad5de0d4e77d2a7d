// The system's current file dialogs (IFileOpenDialog, IFileSaveDialog)
// shown from the program's dialog record: its title, filter, filter index,
// name and owner. The record's hook keeps doing what it does in the older
// dialogs: its add-on panel is made hidden, so that the hook fills and reads
// the panel's list as always, while the dialog shows the same list through
// IFileDialogCustomize; at OK (IFileDialogEvents::OnFileOk) the list's
// choice and the chosen name go to the hook as CDN_FILEOK, and a refusal
// keeps the dialog open.
#include <windows.h>
#include <commdlg.h>
#include <shobjidl.h>

#include <cwchar>

#include "shell/shell_state.h"

namespace {

constexpr DWORD kListGroupId = 1;   // the customize id of the label group; the list keeps its own id

struct Filters {
    COMDLG_FILTERSPEC specs[8];
    UINT count;
};

// The record's filter (label and pattern pairs) as the dialog's file types.
Filters split_filter(const wchar_t* filter) {
    Filters out = {};
    for (const wchar_t* p = filter; p != nullptr && *p != L'\0' && out.count < 8;) {
        const wchar_t* label = p;
        p += std::wcslen(p) + 1;
        if (*p == L'\0') break;
        out.specs[out.count++] = {label, p};
        p += std::wcslen(p) + 1;
    }
    return out;
}

}  // namespace

// The system's defaults for a save dialog ask before a file is replaced and
// refuse a read-only one; the program asks about the name it will really
// write (".txt" added, numbered names) and clears the read-only mark itself,
// so the record's flags alone decide these.
void set_dialog_options(IFileDialog* dialog, DWORD flags, bool save) {
    constexpr FILEOPENDIALOGOPTIONS kRecordDecides =
        FOS_OVERWRITEPROMPT | FOS_NOREADONLYRETURN | FOS_FILEMUSTEXIST | FOS_PATHMUSTEXIST;
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    options = (options & ~kRecordDecides) | FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR;
    // A save dialog that only takes existing names could never make a new
    // document: "must exist" is for opening.
    if (!save && (flags & OFN_FILEMUSTEXIST)) options |= FOS_FILEMUSTEXIST;
    if (flags & OFN_PATHMUSTEXIST) options |= FOS_PATHMUSTEXIST;
    if (save && (flags & OFN_OVERWRITEPROMPT)) options |= FOS_OVERWRITEPROMPT;
    if (flags & OFN_NOREADONLYRETURN) options |= FOS_NOREADONLYRETURN;
    dialog->SetOptions(options);
}

namespace {

// The hidden add-on panel the record's hook works on.
struct Panel {
    HWND window;
    HWND list;
};

Panel make_hidden_panel(OPENFILENAMEW* record) {
    Panel panel = {};
    if (!(record->Flags & OFN_ENABLEHOOK)) return panel;
    auto proc = reinterpret_cast<DLGPROC>(record->lpfnHook);
    auto param = reinterpret_cast<LPARAM>(record);
    if (record->Flags & OFN_ENABLETEMPLATE) {
        panel.window = CreateDialogParamW(record->hInstance, record->lpTemplateName, record->hwndOwner, proc, param);
        panel.list = FindWindowExW(panel.window, nullptr, L"ComboBox", nullptr);
    } else {
        static struct {
            DLGTEMPLATE head;
            WORD menu, windowClass, title;
        } empty = {{DS_CONTROL | WS_CHILD, 0, 0, 0, 0, 0, 0}, 0, 0, 0};
        panel.window = CreateDialogIndirectParamW(record->hInstance, &empty.head, record->hwndOwner, proc, param);
    }
    if (panel.window != nullptr) ShowWindow(panel.window, SW_HIDE);
    return panel;
}

// The panel's label and list, shown by the dialog with the list's id.
void add_list(IFileDialogCustomize* custom, const Panel& panel) {
    if (custom == nullptr || panel.list == nullptr) return;
    wchar_t text[256] = L"";
    GetWindowTextW(FindWindowExW(panel.window, nullptr, L"Static", nullptr), text, 256);
    auto id = static_cast<DWORD>(GetDlgCtrlID(panel.list));
    custom->StartVisualGroup(kListGroupId, text);
    custom->AddComboBox(id);
    auto count = static_cast<int32_t>(SendMessageW(panel.list, CB_GETCOUNT, 0, 0));
    for (int32_t i = 0; i < count; ++i) {
        SendMessageW(panel.list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        custom->AddControlItem(id, static_cast<DWORD>(i), text);
    }
    auto selected = static_cast<int32_t>(SendMessageW(panel.list, CB_GETCURSEL, 0, 0));
    if (selected >= 0) custom->SetSelectedControlItem(id, static_cast<DWORD>(selected));
    custom->EndVisualGroup();
}

HWND window_of(IFileDialog* dialog) {
    IOleWindow* ole = nullptr;
    HWND window = nullptr;
    if (SUCCEEDED(dialog->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&ole)))) {
        ole->GetWindow(&window);
        ole->Release();
    }
    return window;
}

// The name the dialog would return now, into the record's name buffer.
bool chosen_name(IFileDialog* dialog, OPENFILENAMEW* record) {
    IShellItem* item = nullptr;
    if (FAILED(dialog->GetResult(&item))) return false;
    wchar_t* name = nullptr;
    HRESULT result = item->GetDisplayName(SIGDN_FILESYSPATH, &name);
    item->Release();
    if (FAILED(result)) return false;
    lstrcpynW(record->lpstrFile, name, static_cast<int>(record->nMaxFile));
    CoTaskMemFree(name);
    return true;
}

// The events object: only OnFileOk does anything. It lives on the stack of
// run_dialog, beyond the dialog's use of it.
struct Events : IFileDialogEvents {
    OPENFILENAMEW* record = nullptr;
    Panel panel = {};
    IFileDialogCustomize* custom = nullptr;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IFileDialogEvents)) {
            *out = static_cast<IFileDialogEvents*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE OnFileOk(IFileDialog* dialog) override;
    HRESULT STDMETHODCALLTYPE OnFolderChanging(IFileDialog*, IShellItem*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnFolderChange(IFileDialog*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnSelectionChange(IFileDialog*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnShareViolation(IFileDialog*, IShellItem*, FDE_SHAREVIOLATION_RESPONSE*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE OnTypeChange(IFileDialog*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnOverwrite(IFileDialog*, IShellItem*, FDE_OVERWRITE_RESPONSE*) override {
        return E_NOTIMPL;
    }
};

// The list's choice into the hidden panel, then CDN_FILEOK to the hook with
// the dialog as the parent of its questions; S_FALSE keeps the dialog open.
HRESULT Events::OnFileOk(IFileDialog* dialog) {
    if (panel.window == nullptr || !chosen_name(dialog, record)) return S_OK;
    // The type chosen decides the name the hook asks about.
    UINT type = 0;
    if (SUCCEEDED(dialog->GetFileTypeIndex(&type))) record->nFilterIndex = type;
    if (panel.list != nullptr && custom != nullptr) {
        DWORD item = 0;
        auto id = static_cast<DWORD>(GetDlgCtrlID(panel.list));
        if (SUCCEEDED(custom->GetSelectedControlItem(id, &item))) SendMessageW(panel.list, CB_SETCURSEL, item, 0);
    }
    HWND window = window_of(dialog);
    HWND owner = GetParent(panel.window);
    if (window != nullptr) SetParent(panel.window, window);
    OFNOTIFYW notify = {};
    notify.hdr.hwndFrom = window;
    notify.hdr.code = CDN_FILEOK;
    notify.lpOFN = record;
    // The dialog manager answers with the hook's DWLP_MSGRESULT.
    LRESULT refused = SendMessageW(panel.window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
    if (window != nullptr) SetParent(panel.window, owner);
    return refused == 0 ? S_OK : S_FALSE;
}

// The record's name (a full path or a bare name) pre-fills the dialog.
void offer_name(IFileDialog* dialog, const wchar_t* name) {
    if (name == nullptr || name[0] == L'\0') return;
    const wchar_t* slash = std::wcsrchr(name, L'\\');
    if (slash == nullptr) {
        dialog->SetFileName(name);
        return;
    }
    wchar_t folder[MAX_PATH];
    lstrcpynW(folder, name, static_cast<int>(slash - name + 1 < MAX_PATH ? slash - name + 1 : MAX_PATH));
    IShellItem* item = nullptr;
    if (SUCCEEDED(SHCreateItemFromParsingName(folder, nullptr, IID_IShellItem, reinterpret_cast<void**>(&item)))) {
        dialog->SetFolder(item);
        item->Release();
    }
    dialog->SetFileName(slash + 1);
}

BOOL run_dialog(IFileDialog* dialog, OPENFILENAMEW* record, bool save) {
    Filters filters = split_filter(record->lpstrFilter);
    if (filters.count > 0) dialog->SetFileTypes(filters.count, filters.specs);
    if (record->nFilterIndex > 0) dialog->SetFileTypeIndex(record->nFilterIndex);
    if (record->lpstrTitle != nullptr) dialog->SetTitle(record->lpstrTitle);
    set_dialog_options(dialog, record->Flags, save);
    offer_name(dialog, record->lpstrFile);

    Events events;
    events.record = record;
    events.panel = make_hidden_panel(record);
    dialog->QueryInterface(IID_IFileDialogCustomize, reinterpret_cast<void**>(&events.custom));
    add_list(events.custom, events.panel);
    DWORD cookie = 0;
    bool advised = SUCCEEDED(dialog->Advise(&events, &cookie));
    BOOL chosen = SUCCEEDED(dialog->Show(record->hwndOwner)) && chosen_name(dialog, record);
    if (chosen) {
        UINT index = 0;
        if (SUCCEEDED(dialog->GetFileTypeIndex(&index))) record->nFilterIndex = index;
    }
    if (advised) dialog->Unadvise(cookie);
    if (events.custom != nullptr) events.custom->Release();
    if (events.panel.window != nullptr) DestroyWindow(events.panel.window);
    return chosen;
}

}  // namespace

BOOL show_item_dialog(OPENFILENAMEW* record, bool save) {
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    IFileDialog* dialog = nullptr;
    REFCLSID kind = save ? CLSID_FileSaveDialog : CLSID_FileOpenDialog;
    REFIID face = save ? IID_IFileSaveDialog : IID_IFileOpenDialog;
    BOOL chosen = FALSE;
    if (SUCCEEDED(CoCreateInstance(kind, nullptr, CLSCTX_INPROC_SERVER, face, reinterpret_cast<void**>(&dialog)))) {
        chosen = run_dialog(dialog, record, save);
        dialog->Release();
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return chosen;
}
