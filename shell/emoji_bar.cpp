// The emoji row of the main form: button IDC_EMOJI opens the palette, the history
// bar shows the current carrier's five history entries, and the history
// menu on each label moves, fixes, replaces or deletes an entry. Emoji codes
// go into the insertion target: the input field last focused.
#include <windows.h>

#include "emoji/emoji.h"
#include "emoji/win32/emoji_window.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell_state.h"
#include "resources/messages.h"

namespace {

int32_t g_target = IDC_TEXT;   // the insertion target's control id
int32_t g_menuSlot = -1;       // the slot whose menu was opened last


struct MenuItem {
    int32_t id;
    const char* text;
};
// The history entry menu; 0 a separator.
const MenuItem kHistoryMenu[] = {
    {IDM_EMOJI_LEFT, kEmojiMenuLeft},
    {IDM_EMOJI_RIGHT, kEmojiMenuRight},
    {0, nullptr},
    {IDM_EMOJI_FIX, kEmojiMenuFix},
    {IDM_EMOJI_CHANGE, kEmojiMenuChange},
    {IDM_EMOJI_DELETE, kEmojiMenuDelete},
};

int32_t carrier() { return int_setting(SettingCarrier); }

EmojiHistory current_history() {
    EmojiHistory history = {};
    read_emoji_history(carrier(), &history);
    return history;
}

// The target's window: the edit field inside the To combo box for IDC_TO.
HWND target_window(int32_t id) {
    HWND control = form_item(id);
    if (id != IDC_TO || control == nullptr) return control;
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    return GetComboBoxInfo(control, &info) && info.hwndItem != nullptr ? info.hwndItem : control;
}

void on_pick(EmojiIndex index, int32_t mode, int32_t slot) {
    EmojiHistory history = current_history();
    if (mode == PaletteReplace) {
        replace_history_slot(&history, slot, index);
        write_emoji_history(carrier(), history);
        InvalidateRect(form_item(IDC_HISTORY_PICTURE_FIRST + slot), nullptr, FALSE);
        return;
    }
    add_to_emoji_history(&history, index);
    write_emoji_history(carrier(), history);
    char code[8];
    if (emoji_code_for(carrier(), index, code) == 0) insert_emoji_text(code);
    refresh_emoji_history_bar();
}

void insert_history_entry(int32_t slot) {
    EmojiHistory history = current_history();
    char code[8];
    if (history.slots[slot] != 0 && emoji_code_for(carrier(), history.slots[slot], code) == 0) {
        insert_emoji_text(code);
    }
}

void show_history_menu(int32_t slot) {
    EmojiHistory history = current_history();
    HMENU menu = CreatePopupMenu();
    wchar_t text[64];
    for (const MenuItem& item : kHistoryMenu) {
        if (item.id == 0) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        to_wide(item.text, text, 64);
        AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.id), text);
    }
    EnableMenuItem(menu, IDM_EMOJI_LEFT, can_move_left(history, slot) ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(menu, IDM_EMOJI_RIGHT, can_move_right(history, slot) ? MF_ENABLED : MF_GRAYED);
    CheckMenuItem(menu, IDM_EMOJI_FIX, slot < history.fixed ? MF_CHECKED : MF_UNCHECKED);
    SetFocus(form_item(IDC_HISTORY_PICTURE_FIRST + slot));
    g_menuSlot = slot;
    POINT at = {};
    GetCursorPos(&at);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0, g_shell.window, nullptr);
    DestroyMenu(menu);
}

void swap_slots(EmojiHistory* history, int32_t a, int32_t b) {
    if (swap_history_slots(history, a, b) == FixedAndMovable) {
        show_message(g_shell.window, kEmojiMixedSwapText, kEmojiMixedSwapCaption, MB_OK | MB_ICONWARNING);
    }
}

void delete_slot(EmojiHistory* history, int32_t slot) {
    if (show_message(g_shell.window, kEmojiRemoveText, kEmojiRemoveCaption, MB_YESNO | MB_ICONINFORMATION) == IDYES) {
        delete_history_slot(history, slot);
    }
}

}  // namespace

void open_emoji_palette_for_insert() {
    open_emoji_palette(g_shell.window, carrier(), PaletteInsert, 0, on_pick, g_shell.dpi);
}

void insert_emoji_text(const char* code) {
    HWND field = target_window(g_target);
    if (field == nullptr) return;
    wchar_t text[16];
    to_wide(code, text, 16);
    if (g_target == IDC_TO) {
        LRESULT end = GetWindowTextLengthW(field);
        SendMessageW(field, EM_SETSEL, end, end);
        SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
        SetFocus(field);
        end = GetWindowTextLengthW(field);
        SendMessageW(field, EM_SETSEL, end, end);
        return;
    }
    SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    SetFocus(field);
}

void sample_emoji_target() {
    HWND focus = GetFocus();
    if (focus == nullptr || g_shell.form == nullptr) return;
    // The To combo box's edit field is a child of the combo box.
    HWND control = GetParent(focus) == g_shell.form ? focus : GetParent(focus);
    if (GetParent(control) != g_shell.form) return;
    int32_t id = GetDlgCtrlID(control);
    if (is_emoji_target(id)) g_target = id;
}

void reset_emoji_target() { g_target = main_emoji_target(g_shell.mode); }

void refresh_emoji_history_bar() {
    EmojiHistory history = current_history();
    for (int32_t i = 0; i < kHistorySlots; ++i) {
        HWND label = form_item(IDC_HISTORY_LABEL_FIRST + i);
        HWND picture = form_item(IDC_HISTORY_PICTURE_FIRST + i);
        ShowWindow(label, SW_HIDE);
        ShowWindow(picture, SW_HIDE);
        name_emoji_button(picture, carrier(), history.slots[i]);
        if (history.slots[i] == 0) continue;
        set_control_text(label, i < history.fixed ? kEmojiFixedLabel : kEmojiMovableLabel);
        ShowWindow(label, SW_SHOW);
        ShowWindow(picture, SW_SHOW);
        InvalidateRect(picture, nullptr, FALSE);
    }
}

void draw_history_picture(const DRAWITEMSTRUCT* item) {
    int32_t slot = static_cast<int32_t>(item->CtlID) - IDC_HISTORY_PICTURE_FIRST;
    HDC faceDc = CreateCompatibleDC(item->hDC);
    HBITMAP face = LoadBitmapW(g_shell.instance, MAKEINTRESOURCEW(IDB_BUTTON_FACE));
    HGDIOBJ old = SelectObject(faceDc, face);
    // The face is drawn for 96 dpi; its edges grow with the button.
    SetStretchBltMode(item->hDC, COLORONCOLOR);
    StretchBlt(item->hDC, 0, 0, item->rcItem.right, item->rcItem.bottom, faceDc, 0, 0, scaled_back(item->rcItem.right),
               scaled_back(item->rcItem.bottom), SRCCOPY);
    SelectObject(faceDc, old);
    DeleteObject(face);
    DeleteDC(faceDc);
    int32_t palette = palette_for_carrier(carrier());
    EmojiHistory history = current_history();
    draw_emoji_on_button(item->hDC, palette, history.slots[slot], g_shell.dpi, 0);
    if ((item->itemState & ODS_FOCUS) != 0) {
        RECT r = item->rcItem;
        InflateRect(&r, -1, -1);
        DrawFocusRect(item->hDC, &r);
    }
}

void on_emoji_control(int32_t id) {
    if (id == IDC_EMOJI) open_emoji_palette_for_insert();
    if (id >= IDC_HISTORY_PICTURE_FIRST && id <= IDC_HISTORY_PICTURE_LAST) {
        insert_history_entry(id - IDC_HISTORY_PICTURE_FIRST);
    }
    if (id >= IDC_HISTORY_LABEL_FIRST && id <= IDC_HISTORY_LABEL_LAST) show_history_menu(id - IDC_HISTORY_LABEL_FIRST);
}

void emoji_history_command(int32_t id) {
    int32_t slot = g_menuSlot;
    g_menuSlot = -1;
    if (slot < 0) return;
    EmojiHistory history = current_history();
    switch (id) {
        case IDM_EMOJI_LEFT: swap_slots(&history, slot - 1, slot); break;
        case IDM_EMOJI_RIGHT: swap_slots(&history, slot, slot + 1); break;
        case IDM_EMOJI_FIX: toggle_history_fixed(&history, slot); break;
        case IDM_EMOJI_DELETE: delete_slot(&history, slot); break;
        case IDM_EMOJI_CHANGE:
            if (history.slots[slot] != 0) {
                open_emoji_palette(g_shell.window, carrier(), PaletteReplace, slot, on_pick, g_shell.dpi);
            }
            refresh_emoji_history_bar();
            return;
        default: return;
    }
    write_emoji_history(carrier(), history);
    refresh_emoji_history_bar();
}
