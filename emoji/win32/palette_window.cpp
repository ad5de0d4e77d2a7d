// Dialog IDD_EMOJI_PALETTE: the pages of one carrier's emoji as owner-drawn buttons, the
// page buttons and the pin; a pick goes to the shell's handler. At most one
// palette window exists.
#include "emoji/win32/emoji_window.h"

#include <commctrl.h>

#include <initializer_list>

#include "payload/payload.h"
#include "platform/codepage.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"

namespace {

struct PaletteWindow {
    HWND dialog;
    HWND owner;
    int32_t palette;
    int32_t mode;          // PaletteMode
    int32_t slot;          // history slot of replace mode
    bool modal;
    EmojiPick pick;
    HFONT boldFont;
    int32_t dpi;           // of the owner's display
};
PaletteWindow g_window = {};
int32_t g_pages[kPaletteCount] = {};
HIMAGELIST g_images[kPaletteCount][kMaxPalettePages] = {};
// The same pictures drawn at twice the size, loaded when a display of
// 200 % or more first draws them.
HIMAGELIST g_doubled[kPaletteCount][kMaxPalettePages] = {};
HINSTANCE g_instance = nullptr;

// ＝ and ∥
const wchar_t kPinOff[] = L"\xFF1D";
const wchar_t kPinOn[] = L"\x2225";

const EmojiPalette& palette() { return EmojiPalettes[g_window.palette]; }

bool pinned() { return SendDlgItemMessageW(g_window.dialog, IDC_PALETTE_PIN, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void show_pin() {
    SetDlgItemTextW(g_window.dialog, IDC_PALETTE_PIN, pinned() ? kPinOn : kPinOff);
}

void name_buttons();

void show_page() {
    SetDlgItemInt(g_window.dialog, IDC_PALETTE_PAGE, static_cast<UINT>(g_pages[g_window.palette] + 1), FALSE);
    // The hidden static over the grid, shown and hidden, repaints the buttons.
    HWND grid = GetDlgItem(g_window.dialog, IDC_PALETTE_GRID);
    ShowWindow(grid, SW_SHOW);
    ShowWindow(grid, SW_HIDE);
    name_buttons();
    for (int32_t id = IDC_PALETTE_FIRST; id <= IDC_PALETTE_LAST; ++id) {
        InvalidateRect(GetDlgItem(g_window.dialog, id), nullptr, TRUE);
    }
}

void set_sjis_text(HWND window, const char* text) {
    uint16_t wide[64] = {};
    int32_t length = 0;
    while (text[length] != '\0' && length < 63) ++length;
    int32_t units = cp932_to_utf16(text, length, wide);
    wide[units < 0 ? 0 : units < 63 ? units : 63] = 0;
    SetWindowTextW(window, reinterpret_cast<wchar_t*>(wide));
}

void set_title() { set_sjis_text(g_window.dialog, palette().title); }

// Each emoji button named by the code it inserts (its window text, which
// the owner drawing does not show, for screen readers and the tooltip); a
// blank one is disabled, so Tab passes it by.
void name_buttons() {
    int32_t page = g_pages[g_window.palette];
    for (int32_t id = IDC_PALETTE_FIRST; id <= IDC_PALETTE_LAST; ++id) {
        EmojiIndex index = palette_button_index(palette(), page, id - IDC_PALETTE_FIRST);
        HWND button = GetDlgItem(g_window.dialog, id);
        name_emoji_button(button, palette().carrier, index);
        EnableWindow(button, index != 0 && emoji_index_valid(palette(), index));
    }
}

void set_bold_page_number() {
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(g_window.dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    font.lfWeight = FW_BOLD;
    g_window.boldFont = CreateFontIndirectW(&font);
    SendDlgItemMessageW(g_window.dialog, IDC_PALETTE_PAGE, WM_SETFONT, reinterpret_cast<WPARAM>(g_window.boldFont),
                        FALSE);
}

void on_init(HWND dialog) {
    g_window.dialog = dialog;
    SendDlgItemMessageW(dialog, IDC_PALETTE_PIN, BM_SETCHECK,
                        int_setting(SettingStayEmojiDialog) ? BST_CHECKED : BST_UNCHECKED, 0);
    show_pin();
    set_title();
    set_bold_page_number();
    add_name_tooltips(dialog, IDC_PALETTE_FIRST, IDC_PALETTE_LAST);
    show_page();
    RECT owner = {};
    GetWindowRect(g_window.owner, &owner);
    SetWindowPos(dialog, nullptr, owner.left + MulDiv(460, g_window.dpi, 96), owner.top + MulDiv(120, g_window.dpi, 96),
                 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void close_window() {
    HWND dialog = g_window.dialog;
    if (dialog == nullptr) return;
    if (g_window.modal) EndDialog(dialog, 0);
    else DestroyWindow(dialog);
}

void on_destroy() {
    if (g_window.boldFont != nullptr) DeleteObject(g_window.boldFont);
    g_window.boldFont = nullptr;
    g_window.dialog = nullptr;
}

void draw_button(const DRAWITEMSTRUCT* item) {
    RECT r = item->rcItem;
    bool pressed = (item->itemState & ODS_SELECTED) != 0;
    DrawFrameControl(item->hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    int32_t button = static_cast<int32_t>(item->CtlID) - IDC_PALETTE_FIRST;
    int32_t page = g_pages[g_window.palette];
    EmojiIndex index = palette_button_index(palette(), page, button);
    int32_t shift = pressed ? 1 : 0;
    if (index != 0) draw_emoji_on_button(item->hDC, g_window.palette, index, g_window.dpi, shift);
    if ((item->itemState & ODS_FOCUS) != 0) {
        InflateRect(&r, -1, -1);
        DrawFocusRect(item->hDC, &r);
    }
}

void on_pick(int32_t button) {
    EmojiIndex index = palette_button_index(palette(), g_pages[g_window.palette], button);
    char code[8];
    if (index == 0 || !emoji_index_valid(palette(), index) ||
        emoji_code_for(palette().carrier, index, code) != 0) {
        return;
    }
    int32_t mode = g_window.mode, slot = g_window.slot;
    EmojiPick pick = g_window.pick;
    if (mode == PaletteReplace || !pinned()) {
        set_int_setting(SettingStayEmojiDialog, 0);
        close_window();
    }
    if (pick != nullptr) pick(index, mode, slot);
}

void on_command(int32_t id) {
    int32_t& page = g_pages[g_window.palette];
    if (id == IDC_PALETTE_PREVIOUS || id == IDC_PALETTE_NEXT) {
        page = step_palette_page(palette(), page, id == IDC_PALETTE_NEXT ? 1 : -1);
        show_page();
    } else if (id == IDC_PALETTE_PIN) {
        set_int_setting(SettingStayEmojiDialog, pinned() ? 1 : 0);
        show_pin();
    } else if (id == IDCANCEL) {
        set_int_setting(SettingStayEmojiDialog, pinned() ? 1 : 0);
        close_window();
    } else if (id >= IDC_PALETTE_FIRST && id <= IDC_PALETTE_LAST) {
        on_pick(id - IDC_PALETTE_FIRST);
    }
}

INT_PTR CALLBACK palette_proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: on_init(dialog); return TRUE;
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) on_command(LOWORD(wParam));
            return TRUE;
        case WM_DRAWITEM:
            if (wParam >= IDC_PALETTE_FIRST && wParam <= IDC_PALETTE_LAST) {
                draw_button(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            }
            return TRUE;
        case WM_NOTIFY:
            if (!supply_name_tooltip(reinterpret_cast<NMHDR*>(lParam))) return FALSE;
            SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 0);
            return TRUE;
        case WM_DESTROY: on_destroy(); return FALSE;
        default: return FALSE;
    }
}

}  // namespace

namespace {

HIMAGELIST load_strip(int32_t p, int32_t page, int32_t factor) {
    const EmojiPalette& palette = EmojiPalettes[p];
    int32_t id = palette.firstBitmap + page + (factor == 2 ? kLargeStripOffset : 0);
    HBITMAP images = LoadBitmapW(g_instance, MAKEINTRESOURCEW(id));
    if (images == nullptr) return nullptr;
    HIMAGELIST list = ImageList_Create(palette.imageWidth * factor, palette.imageHeight * factor,
                                       ILC_COLOR24 | ILC_MASK, palette.stripImages[page], 0);
    ImageList_AddMasked(list, images, RGB(255, 0, 255));
    DeleteObject(images);
    return list;
}

}  // namespace

void create_emoji_image_lists(HINSTANCE instance) {
    g_instance = instance;
    for (int32_t& page : g_pages) page = 0;   // a new run starts on the first pages
    for (int32_t p = 0; p < kPaletteCount; ++p) {
        const EmojiPalette& palette = EmojiPalettes[p];
        for (int32_t page = 0; page < palette.pages; ++page) {
            if (g_images[p][page] == nullptr) g_images[p][page] = load_strip(p, page, 1);
        }
    }
}

void destroy_emoji_image_lists() {
    for (auto* set : {&g_images, &g_doubled}) {
        for (auto& lists : *set) {
            for (HIMAGELIST& list : lists) {
                if (list != nullptr) ImageList_Destroy(list);
                list = nullptr;
            }
        }
    }
}

void draw_emoji_image(HDC dc, int32_t palette, EmojiIndex index, int32_t x, int32_t y, int32_t factor) {
    if (palette < 0 || palette >= kPaletteCount || !emoji_index_valid(EmojiPalettes[palette], index)) return;
    int32_t page = index / 100;
    HIMAGELIST& doubled = g_doubled[palette][page];
    if (factor == 2 && doubled == nullptr && g_instance != nullptr) doubled = load_strip(palette, page, 2);
    HIMAGELIST list = factor == 2 && doubled != nullptr ? doubled : g_images[palette][page];
    if (list != nullptr) ImageList_Draw(list, emoji_index_image(index), dc, x, y, ILD_TRANSPARENT);
}

void draw_emoji_on_button(HDC dc, int32_t palette, EmojiIndex index, int32_t dpi, int32_t shift) {
    if (palette < 0 || palette >= kPaletteCount) return;
    // At 96 dpi the image's left is imageX and its top 2; at other DPIs it
    // keeps its centre there, drawn at twice the size from 200 % on.
    const EmojiPalette& p = EmojiPalettes[palette];
    int32_t factor = dpi >= 192 ? 2 : 1;
    int32_t x = MulDiv(p.imageX, dpi, 96) + (MulDiv(p.imageWidth, dpi, 96) - p.imageWidth * factor) / 2;
    int32_t y = MulDiv(2, dpi, 96) + (MulDiv(p.imageHeight, dpi, 96) - p.imageHeight * factor) / 2;
    draw_emoji_image(dc, palette, index, x + shift, y + shift, factor);
}

void open_emoji_palette(HWND owner, int32_t carrier, int32_t mode, int32_t slot, EmojiPick pick, int32_t dpi) {
    if (g_window.dialog != nullptr && mode == PaletteInsert) return;
    close_window();   // a replace takes the place of an open palette
    g_window = {nullptr, owner, palette_for_carrier(carrier), mode, slot, mode == PaletteReplace, pick, nullptr,
                dpi > 0 ? dpi : 96};
    if (g_window.modal) {
        DialogBoxParamW(g_instance, MAKEINTRESOURCEW(IDD_EMOJI_PALETTE), owner, palette_proc, 0);
        return;
    }
    HWND dialog = CreateDialogParamW(g_instance, MAKEINTRESOURCEW(IDD_EMOJI_PALETTE), owner, palette_proc, 0);
    if (dialog != nullptr) ShowWindow(dialog, SW_SHOW);
}

void close_emoji_palette() { close_window(); }

void name_emoji_button(HWND button, int32_t carrier, EmojiIndex index) {
    char code[8] = "";
    if (index == 0 || emoji_code_for(carrier, index, code) != 0) code[0] = '\0';
    set_sjis_text(button, code);
}

HWND add_name_tooltips(HWND parent, int32_t firstId, int32_t lastId) {
    HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr, g_instance, nullptr);
    if (tips == nullptr) return nullptr;
    for (int32_t id = firstId; id <= lastId; ++id) {
        TTTOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = parent;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(parent, id));
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return tips;
}

bool supply_name_tooltip(NMHDR* header) {
    if (header->code != TTN_GETDISPINFOW) return false;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    if ((info->uFlags & TTF_IDISHWND) == 0) return false;
    GetWindowTextW(reinterpret_cast<HWND>(header->idFrom), info->szText, 80);
    info->lpszText = info->szText;
    return true;
}

void close_unpinned_emoji_palette() {
    if (g_window.dialog != nullptr && !g_window.modal && !pinned()) close_window();
}

HWND emoji_palette_window() { return g_window.dialog; }
