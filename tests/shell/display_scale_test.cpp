// The window at the display's scale: every control of the form and of each
// dialog inside its parent, no two visible controls over each other and
// every text whole in its control's own font, at the DPI Wine runs with
// (tests/shell/at_dpi.sh runs DisplayScaleAtTheSystemDpi.* at 120, 144 and
// 192 too); a change of DPI while running gives the layout a start at that
// DPI gives, and files do not change with the screen.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "emoji/win32/emoji_window.h"
#include "pipeline/generation.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell.h"
#include "tests/shell/shell_support.h"

namespace {

std::vector<std::string> g_faults;

std::string class_of(HWND control) {
    wchar_t name[64] = {};
    GetClassNameW(control, name, 64);
    std::string out;
    for (const wchar_t* c = name; *c != 0; ++c) out += static_cast<char>(*c);
    return out;
}

std::string name_of(HWND control) {
    return class_of(control) + " " + std::to_string(GetDlgCtrlID(control)) + " \"" + text_of(control) + "\"";
}

RECT rect_in(HWND control, HWND parent) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LONG style_of(HWND control) { return GetWindowLongW(control, GWL_STYLE); }

bool is_button_of(HWND control, LONG type) {
    return class_of(control) == "Button" && (style_of(control) & BS_TYPEMASK) == type;
}

// Frames and the tabs of a property sheet hold other controls by design.
bool is_frame(HWND control) { return is_button_of(control, BS_GROUPBOX) || class_of(control) == "SysTabControl32"; }

int32_t dpi_of(HWND control) {
    HDC dc = GetDC(control);
    int32_t dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(control, dc);
    return dpi;
}

// The room text takes in the control's font.
SIZE text_size(HWND control, const std::wstring& text, UINT format, int32_t width) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT r = {0, 0, width, 0};
    DrawTextW(dc, text.c_str(), -1, &r, format | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {r.right - r.left, r.bottom - r.top};
}

std::wstring wide_text(HWND control) {
    wchar_t text[512] = {};
    GetWindowTextW(control, text, 512);
    return text;
}

// Whether the control's own text shows whole, measured as the control draws it.
void check_text_fits(HWND control, int32_t scale) {
    std::wstring text = wide_text(control);
    RECT client;
    GetClientRect(control, &client);
    std::string cls = class_of(control);
    LONG style = style_of(control);
    if (client.right == 0 && client.bottom == 0) return;   // a name for screen readers only: nothing shows
    if (cls == "Static" && !text.empty() && (style & SS_TYPEMASK) <= SS_RIGHT) {
        bool single = (style & SS_CENTERIMAGE) != 0;
        UINT format = single ? DT_SINGLELINE : DT_WORDBREAK | DT_EXPANDTABS;
        SIZE need = text_size(control, text, format, client.right);
        if (need.cx > client.right || need.cy > client.bottom) g_faults.push_back(name_of(control) + " cut off");
    } else if (cls == "Button" && !text.empty() && !is_frame(control) && (style & BS_TYPEMASK) != BS_OWNERDRAW) {
        bool box = (style & BS_PUSHLIKE) == 0 &&
                   ((style & BS_TYPEMASK) == BS_AUTORADIOBUTTON || (style & BS_TYPEMASK) == BS_AUTOCHECKBOX ||
                    (style & BS_TYPEMASK) == BS_RADIOBUTTON || (style & BS_TYPEMASK) == BS_CHECKBOX);
        // A push button's edge, or a check box's box and gap.
        int32_t taken = box ? MulDiv(16, scale, 96) : 2 * MulDiv(2, scale, 96);
        UINT format = (style & BS_MULTILINE) != 0 ? DT_WORDBREAK : DT_SINGLELINE;
        SIZE need = text_size(control, text, format, client.right - taken);
        if (need.cx > client.right - taken || need.cy > client.bottom) {
            g_faults.push_back(name_of(control) + " cut off");
        }
    } else if (cls == "ComboBox" && (style & 3) == CBS_DROPDOWNLIST) {
        int32_t item = static_cast<int32_t>(SendMessageW(control, CB_GETCURSEL, 0, 0));
        wchar_t shown[256] = {};
        if (item >= 0) SendMessageW(control, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(shown));
        SIZE need = text_size(control, shown, DT_SINGLELINE, 0);
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        GetComboBoxInfo(control, &info);
        if (need.cx > info.rcItem.right - info.rcItem.left + 2 || need.cy > client.bottom) {
            g_faults.push_back(name_of(control) + " item cut off");
        }
    }
}

// Controls placed in dialog units side by side may share their edge pixel
// (each edge is rounded on its own); more is an overlap.
bool overlap(const RECT& a, const RECT& b) {
    return a.left < b.right - 1 && b.left < a.right - 1 && a.top < b.bottom - 1 && b.top < a.bottom - 1;
}

// The visible children of parent: inside it, apart from each other (frames
// aside), their texts whole.
void check_children(HWND parent, int32_t scale) {
    RECT room;
    GetClientRect(parent, &room);
    std::vector<HWND> shown;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT r = rect_in(child, parent);
        if (r.left < 0 || r.top < 0 || r.right > room.right || r.bottom > room.bottom) {
            g_faults.push_back(name_of(child) + " outside its parent: right " + std::to_string(r.right) + " of " +
                               std::to_string(room.right) + ", bottom " + std::to_string(r.bottom) + " of " +
                               std::to_string(room.bottom));
        }
        check_text_fits(child, scale);
        if (!is_frame(child)) shown.push_back(child);
    }
    for (size_t i = 0; i < shown.size(); ++i) {
        for (size_t j = i + 1; j < shown.size(); ++j) {
            if (overlap(rect_in(shown[i], parent), rect_in(shown[j], parent))) {
                g_faults.push_back(name_of(shown[i]) + " over " + name_of(shown[j]));
            }
        }
    }
}

std::string faults() {
    std::string all;
    for (const std::string& fault : g_faults) all += fault + "\n";
    return all;
}

class DisplayScaleAtTheSystemDpi : public ::testing::Test {
protected:
    void SetUp() override {
        g_faults.clear();
        fresh_settings();
        open_window();
        dpi_ = dpi_of(main_form());
    }
    void TearDown() override {
        set_dialog_handler(nullptr);
        cancel_file_dialogs();
        close_window();
    }
    int32_t dpi_ = 96;
};

// A dialog's controls and those of the pages inside it; closed with Escape's command.
int32_t g_dialogDpi = 96;
void check_pages_shown(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (class_of(child) == "#32770" && IsWindowVisible(child)) check_children(child, g_dialogDpi);
    }
}

// A property sheet makes a page when it is first selected: each is selected in turn.
void check_dialog(HWND dialog) {
    check_children(dialog, g_dialogDpi);
    check_pages_shown(dialog);
    HWND tabs = FindWindowExW(dialog, nullptr, L"SysTabControl32", nullptr);
    int32_t pages = tabs == nullptr ? 0 : static_cast<int32_t>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int32_t page = 1; page < pages; ++page) {
        SendMessageW(dialog, PSM_SETCURSEL, page, 0);
        check_pages_shown(dialog);
    }
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(DisplayScaleAtTheSystemDpi, TheWindowGrowsWithTheDisplay) {
    RECT window;
    GetWindowRect(main_window(), &window);
    EXPECT_GE(window.right - window.left, MulDiv(780, dpi_, 96));
    EXPECT_GE(window.bottom - window.top, MulDiv(580, dpi_, 96));
    RECT text = rect_in(item(IDC_TEXT), main_form());
    EXPECT_NEAR(text.left, MulDiv(440, dpi_, 96), 1) << "the rows of the layout scale";
    EXPECT_NEAR(text.bottom - text.top, MulDiv(295, dpi_, 96), 1);
}

TEST_F(DisplayScaleAtTheSystemDpi, EveryModeShowsItsControlsWholeAndApart) {
    set_text(IDC_TEXT, "display scale");
    click(IDC_CREATE);
    ASSERT_TRUE(wait_for_generation());
    ASSERT_EQ(code_count(), 1);
    for (int32_t radio : {IDC_MODE_TEXT, IDC_MODE_MAIL, IDC_MODE_ADDRESS}) {
        click(radio);
        pump_for(20);
        check_children(main_form(), dpi_);
    }
    // The widest level label and the address panel of an import.
    for (const char* level : {"L (7%)", "M (15%)", "Q (25%)", "H (30%)"}) {
        set_text(IDC_LEVEL, level);
        check_text_fits(item(IDC_LEVEL), dpi_);
    }
    std::string folder = test_files_folder("display-scale");
    write_file(folder + "contacts.csv", sjis("表示名,携帯電話\r\n鈴木 一郎,090-1111-2222\r\n佐藤 花子,080-3333-4444\r\n"));
    answer_file_dialogs((folder + "contacts.csv").c_str());
    command(IDM_IMPORT);
    ASSERT_TRUE(visible(IDC_IMPORT_CLEAR));
    check_children(main_form(), dpi_);
    EXPECT_EQ(faults(), "") << "at " << dpi_ << " dpi";
}

TEST_F(DisplayScaleAtTheSystemDpi, EveryDialogShowsItsControlsWholeAndApart) {
    g_dialogDpi = dpi_;
    set_dialog_handler(check_dialog);
    int32_t before = shown_dialogs().count;
    command(IDM_VERSION);
    command(IDM_SAVE_DATA);
    command(IDM_OPTIONS);
    click(IDC_MODE_MAIL);
    set_text(IDC_TO, "taro@example.jp Taro");
    command(IDM_HISTORY_ADD);
    EXPECT_EQ(shown_dialogs().count - before, 4);
    set_dialog_handler(nullptr);
    click(IDC_EMOJI);
    pump_for(50);
    ASSERT_NE(emoji_palette_window(), nullptr);
    check_children(emoji_palette_window(), dpi_);
    close_emoji_palette();
    EXPECT_EQ(faults(), "") << "at " << dpi_ << " dpi";
}

// --- A change of display -----------------------------------------------------------------

UINT g_seamDpi = 96;
UINT seam_dpi(HWND) { return g_seamDpi; }

struct Placed {
    int32_t id;
    RECT place;
    LONG fontHeight;
};

std::vector<Placed> form_places() {
    std::vector<Placed> out;
    for (HWND child = GetWindow(main_form(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        LOGFONTW font = {};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof font, &font);
        out.push_back({GetDlgCtrlID(child), rect_in(child, main_form()), font.lfHeight});
    }
    return out;
}

std::string describe(const std::vector<Placed>& places) {
    std::string out;
    for (const Placed& p : places) {
        out += std::to_string(p.id) + ": " + std::to_string(p.place.left) + "," + std::to_string(p.place.top) + " " +
               std::to_string(p.place.right) + "," + std::to_string(p.place.bottom) + " font " +
               std::to_string(p.fontHeight) + "\n";
    }
    return out;
}

LRESULT toolbar_button_size() { return SendMessageW(toolbar(), TB_GETBUTTONSIZE, 0, 0); }

TEST(DisplayScaleChange, From96To192GivesTheLayoutOfAStartAt192) {
    set_dpi_seam(seam_dpi);
    g_seamDpi = 192;
    fresh_settings();
    open_window();
    RECT start;
    GetWindowRect(main_window(), &start);
    std::vector<Placed> at192 = form_places();
    click(IDC_MODE_ADDRESS);
    std::vector<Placed> address192 = form_places();
    LRESULT buttons192 = toolbar_button_size();
    close_window();

    g_seamDpi = 96;
    fresh_settings();
    open_window();
    std::vector<Placed> at96 = form_places();
    g_seamDpi = 192;
    SendMessageW(main_window(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&start));
    pump_for(30);
    EXPECT_NE(describe(form_places()), describe(at96)) << "the change moved the controls";
    EXPECT_EQ(describe(form_places()), describe(at192));
    click(IDC_MODE_ADDRESS);
    EXPECT_EQ(describe(form_places()), describe(address192));
    EXPECT_EQ(toolbar_button_size(), buttons192);
    EXPECT_GT(HIWORD(buttons192), 32) << "the toolbar's pictures at twice the size";
    RECT now;
    GetWindowRect(main_window(), &now);
    EXPECT_EQ(now.right - now.left, start.right - start.left) << "the suggested rectangle is taken";
    EXPECT_EQ(now.bottom - now.top, start.bottom - start.top);
    close_window();
    set_dpi_seam(nullptr);
}

// The dark pixels' width in the preview: the symbol's size on the screen.
int32_t symbol_width_on_screen() {
    HWND preview = item(IDC_PREVIEW);
    RECT r;
    GetClientRect(preview, &r);
    int32_t left = r.right, right = -1;
    int32_t y = -1;
    // The row through the top finder patterns: the first row with a dark pixel, a few rows down.
    for (int32_t row = 0; row < r.bottom && y < 0; ++row) {
        for (int32_t x = 0; x < r.right; x += 2) {
            if ((preview_pixel(x, row) & 0xFF) < 64) {
                y = row + 2;
                break;
            }
        }
    }
    if (y < 0) return 0;
    for (int32_t x = 0; x < r.right; ++x) {
        if ((preview_pixel(x, y) & 0xFF) < 64) {
            if (x < left) left = x;
            right = x;
        }
    }
    return right - left + 1;
}

TEST(DisplayScaleChange, TheSymbolKeepsItsSizeOnScreenAndTheFileItsBytes) {
    set_dpi_seam(seam_dpi);
    g_seamDpi = 96;
    fresh_settings();
    open_window();
    std::string folder = test_files_folder("display-scale-bitmaps");
    set_text(IDC_TEXT, "the same bitmap at every scale");
    click(IDC_CREATE);
    ASSERT_TRUE(wait_for_generation());
    pump_for(30);
    int32_t width96 = symbol_width_on_screen();
    answer_file_dialogs((folder + "at96").c_str());
    command(IDM_SAVE_BMP);
    std::string at96 = file_bytes(folder + "at96.bmp");

    g_seamDpi = 192;
    RECT window;
    GetWindowRect(main_window(), &window);
    window.right = window.left + 2 * (window.right - window.left);
    window.bottom = window.top + 2 * (window.bottom - window.top);
    SendMessageW(main_window(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&window));
    UpdateWindow(item(IDC_PREVIEW));
    pump_for(30);
    int32_t width192 = symbol_width_on_screen();
    answer_file_dialogs((folder + "at192").c_str());
    command(IDM_SAVE_BMP);
    std::string at192 = file_bytes(folder + "at192.bmp");
    close_window();
    set_dpi_seam(nullptr);

    ASSERT_GT(at96.size(), 54u);
    EXPECT_EQ(at192, at96) << "a bitmap saved at 200 % is the one saved at 100 %";
    ASSERT_GT(width96, 20);
    EXPECT_NEAR(width192, 2 * width96, 2) << "twice the pixels on a display of twice the density";
}

}  // namespace
