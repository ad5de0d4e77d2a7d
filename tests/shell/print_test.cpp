// Printing and the clipboard copy through the window: the print settings
// dialog's controls and states, registering codes, print jobs drawn into a
// memory page through the printer seam (places, sizes, pixels), the stored
// settings, the no-data and no-printer messages; the clipboard's bitmap and
// the status note with timer IDT_STATUS_RESTORE.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "output/output.h"
#include "pipeline/generation.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell.h"
#include "tests/cli/image_read_support.h"
#include "tests/shell/shell_support.h"

namespace {

const char kThreeCodes[] = "first\r\n[split]\r\nsecond\r\n[split]\r\nthird";

// --- A printer page in memory behind the printer seam ---------------------------------

struct Page {
    bool present = true;
    int32_t width = 0;
    int32_t height = 0;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    uint8_t* bits = nullptr;
    std::vector<std::string> calls;
};
Page g_page;

int32_t page_stride() { return (g_page.width * 3 + 3) / 4 * 4; }

void* page_open(void*) {
    g_page.calls.push_back("open");
    if (!g_page.present) return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, g_page.width, -g_page.height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    g_page.dc = CreateCompatibleDC(nullptr);
    g_page.bitmap = CreateDIBSection(g_page.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    g_page.bits = static_cast<uint8_t*>(bits);
    SelectObject(g_page.dc, g_page.bitmap);
    memset(g_page.bits, 0xEE, static_cast<size_t>(page_stride()) * g_page.height);   // not white: squares show
    return g_page.dc;
}
int32_t page_start(void* surface, const char* name, void*) {
    g_page.calls.push_back(std::string("start ") + name + (surface == g_page.dc ? "" : " elsewhere"));
    return 0;
}
void page_end(void*, void*) { g_page.calls.push_back("end"); }
void page_release(void*, void*) { g_page.calls.push_back("release"); }
const PrinterDriver kMemoryPrinter = {page_open, page_start, page_end, page_release, nullptr};

void fresh_page(int32_t width, int32_t height) {
    if (g_page.dc != nullptr) DeleteDC(g_page.dc);
    if (g_page.bitmap != nullptr) DeleteObject(g_page.bitmap);
    g_page = Page();
    g_page.width = width;
    g_page.height = height;
}

uint32_t page_pixel(int32_t x, int32_t y) {
    GdiFlush();
    const uint8_t* p = g_page.bits + static_cast<size_t>(y) * page_stride() + static_cast<size_t>(x) * 3;
    return static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2];
}

// The module matrix drawn at scale f (size step 1) against the page at x, y:
// the number of pixels that differ from the raster (-1: no raster).
int32_t page_differences(const int32_t* matrix, int32_t version, int32_t f, uint32_t colour, int32_t x, int32_t y) {
    static uint8_t pixels[kRasterBytes];
    Raster raster = {0, 0, pixels, kRasterBytes};
    if (render_symbol(matrix, version, int_setting(SettingDrawMargin), 1, f, colour, &raster) != 0) return -1;
    int32_t differences = 0;
    for (int32_t row = 0; row < raster.side; ++row) {
        for (int32_t column = 0; column < raster.side; ++column) {
            const uint8_t* p = pixels + row * raster.stride + column * 3;
            uint32_t expected = static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2];
            if (page_pixel(x + column, y + row) != expected) ++differences;
        }
    }
    return differences;
}

// --- The dialog ------------------------------------------------------------------------

struct DialogHandlerScope {
    explicit DialogHandlerScope(DialogHandler handler) { set_dialog_handler(handler); }
    ~DialogHandlerScope() { set_dialog_handler(nullptr); }
};

// What a handler saw of the dialog.
struct Seen {
    std::vector<std::string> texts;
    std::vector<bool> states;
    std::vector<std::string> listItems;
    int32_t listSelection = -1;
    int32_t sizeSelection = -1;
    std::string panel;
    bool openAfterPrint = false;
};
Seen g_seen;

std::vector<std::string> combo_items(HWND dialog, int32_t id) {
    std::vector<std::string> items;
    auto count = static_cast<int32_t>(SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0));
    for (int32_t k = 0; k < count; ++k) {
        wchar_t wide[32];
        char utf8[64];
        SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, k, reinterpret_cast<LPARAM>(wide));
        WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr);
        items.push_back(utf8);
    }
    return items;
}

int32_t combo_selection(HWND dialog, int32_t id) {
    return static_cast<int32_t>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0));
}

void choose_in_dialog(HWND dialog, int32_t id, int32_t index) {
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, index, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string code_text(int32_t index) {
    char text[kCodeTextBytes] = "";
    int32_t version = 0;
    read_code_text(index, text, &version);
    return text;
}

void see_list(HWND dialog) {
    g_seen.listItems = combo_items(dialog, IDC_REGISTERED_LIST);
    g_seen.listSelection = combo_selection(dialog, IDC_REGISTERED_LIST);
    g_seen.panel = dialog_item_text(dialog, IDC_PRINT_TEXT);
}

// Print pressed (the dialog stays open after a failure), then Cancel.
void print_then_cancel(HWND dialog) {
    press_dialog_button(dialog, IDC_PRINT_NOW);
    g_seen.openAfterPrint = IsWindow(dialog) && IsWindowVisible(dialog);
    press_dialog_button(dialog, IDCANCEL);
}

void expect_message(const char* text, const char* caption, UINT icon) {
    EXPECT_EQ(shown_messages().text, text);
    EXPECT_EQ(shown_messages().caption, caption);
    EXPECT_EQ(shown_messages().flags & MB_ICONMASK, icon);
}

class Printing : public ::testing::Test {
protected:
    void SetUp() override {
        fresh_settings();
        clear_code_list();
        clear_registered_codes();
        g_seen = Seen();
        fresh_page(1400, 800);
        set_printer_seam(&kMemoryPrinter);
        open_window();
    }
    void TearDown() override {
        close_window();
        set_printer_seam(nullptr);
        fresh_page(0, 0);
    }
    void generate(const char* text) {
        set_text(IDC_TEXT, text);
        click(IDC_CREATE);
        ASSERT_TRUE(wait_for_generation());
    }
    // Command IDM_PRINT with a handler for the dialog.
    void print_dialog(DialogHandler handler) {
        DialogHandlerScope scope(handler);
        command(IDM_PRINT);
        EXPECT_EQ(shown_dialogs().caption, "印刷設定");
        EXPECT_EQ(shown_dialogs().leftOpen, 0);
    }
};

TEST_F(Printing, CommandsAreEnabledAndCtrlPOpensTheDialog) {
    HMENU menu = GetMenu(main_window());
    for (int32_t id : {IDM_PRINT, IDM_COPY_IMAGE}) {
        EXPECT_EQ(GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED, 0u) << id;
        EXPECT_NE(SendMessageW(toolbar(), TB_ISBUTTONENABLED, id, 0), 0) << id;
    }
    DialogHandlerScope scope([](HWND dialog) { press_dialog_button(dialog, IDCANCEL); });
    SetFocus(item(IDC_TEXT));
    int32_t before = shown_dialogs().count;
    press_key('P', VK_CONTROL);
    pump_for(50);
    EXPECT_EQ(shown_dialogs().count, before + 1);
    EXPECT_EQ(shown_dialogs().caption, "印刷設定");
}

TEST_F(Printing, DialogShowsItsControlsFromTheSettings) {
    generate(kThreeCodes);
    IntSettings[SettingPrintType].value = PrintAll;
    IntSettings[SettingPrintSize].value = 4;
    print_dialog([](HWND dialog) {
        for (int32_t id : {IDC_PRINT_SHOWN, IDC_PRINT_ALL, IDC_PRINT_REGISTERED, IDC_REGISTERED_DELETE, IDC_REGISTER,
                           IDC_PRINT_NOW, IDOK, IDCANCEL}) {
            g_seen.texts.push_back(dialog_item_text(dialog, id));
        }
        for (int32_t id : {IDC_PRINT_SHOWN, IDC_PRINT_ALL, IDC_PRINT_REGISTERED}) {
            g_seen.states.push_back(IsDlgButtonChecked(dialog, id) == BST_CHECKED);
        }
        for (int32_t id : {IDC_REGISTERED_LIST, IDC_REGISTERED_DELETE, IDC_REGISTER}) {
            g_seen.states.push_back(IsWindowEnabled(GetDlgItem(dialog, id)) != 0);
        }
        HWND group = FindWindowExW(dialog, nullptr, L"Button", L"一度に印刷するQRコード");
        HWND label = FindWindowExW(dialog, nullptr, L"Static", L"印刷サイズ");
        g_seen.states.push_back(group != nullptr && label != nullptr);
        LONG_PTR style = GetWindowLongPtrW(GetDlgItem(dialog, IDC_PRINT_TEXT), GWL_STYLE);
        g_seen.states.push_back((style & ES_READONLY) != 0 && (style & ES_MULTILINE) != 0);
        g_seen.listItems = combo_items(dialog, IDC_PRINT_SIZE);
        g_seen.sizeSelection = combo_selection(dialog, IDC_PRINT_SIZE);
        g_seen.listSelection = combo_selection(dialog, IDC_REGISTERED_LIST);
        g_seen.panel = dialog_item_text(dialog, IDC_PRINT_TEXT);
        press_dialog_button(dialog, IDCANCEL);
    });
    EXPECT_EQ(g_seen.texts, std::vector<std::string>({"メイン表示のQRコード１つのみを印刷",
                                                       "区切られている複数のコード全てを印刷",
                                                       "以下で登録したコードを印刷", "削除", "コードを登録",
                                                       "印刷(&P)", "閉じる", "ｷｬﾝｾﾙ"}));
    EXPECT_EQ(g_seen.states, std::vector<bool>({false, true, false, false, false, false, true, true}));
    EXPECT_EQ(g_seen.listItems, std::vector<std::string>({" 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8", " 9", "10"}));
    EXPECT_EQ(g_seen.sizeSelection, 4);
    EXPECT_EQ(g_seen.listSelection, -1);
    EXPECT_EQ(g_seen.panel, kThreeCodes);
}

TEST_F(Printing, RadiosSwitchThePanelAndCloseStoresWhileCancelDoesNot) {
    generate(kThreeCodes);
    click(IDC_DOWN);
    pump_for(20);
    print_dialog([](HWND dialog) {
        g_seen.texts.push_back(dialog_item_text(dialog, IDC_PRINT_TEXT));
        press_dialog_button(dialog, IDC_PRINT_REGISTERED);
        g_seen.texts.push_back(dialog_item_text(dialog, IDC_PRINT_TEXT));
        g_seen.states.push_back(IsWindowEnabled(GetDlgItem(dialog, IDC_REGISTER)) != 0);
        press_dialog_button(dialog, IDC_PRINT_ALL);
        choose_in_dialog(dialog, IDC_PRINT_SIZE, 9);
        press_dialog_button(dialog, IDCANCEL);
    });
    EXPECT_EQ(g_seen.texts, std::vector<std::string>({code_text(1), ""}));
    EXPECT_EQ(g_seen.states, std::vector<bool>({true}));
    EXPECT_EQ(int_setting(SettingPrintType), PrintShown);
    EXPECT_EQ(int_setting(SettingPrintSize), 1);
    print_dialog([](HWND dialog) {
        press_dialog_button(dialog, IDC_PRINT_ALL);
        choose_in_dialog(dialog, IDC_PRINT_SIZE, 9);
        press_dialog_button(dialog, IDOK);
    });
    EXPECT_EQ(int_setting(SettingPrintType), PrintAll);
    EXPECT_EQ(int_setting(SettingPrintSize), 9);
    EXPECT_TRUE(g_page.calls.empty());
}

TEST_F(Printing, RegistersUpToTwentyAndDeletes) {
    print_dialog([](HWND dialog) {
        press_dialog_button(dialog, IDC_PRINT_REGISTERED);
        press_dialog_button(dialog, IDC_REGISTER);
        press_dialog_button(dialog, IDCANCEL);
    });
    expect_message("登録できるQRコードがありません。", "", MB_ICONWARNING);
    EXPECT_EQ(RegisteredCodes.count, 0);
    generate(kThreeCodes);
    print_dialog([](HWND dialog) {
        press_dialog_button(dialog, IDC_PRINT_REGISTERED);
        for (int32_t k = 0; k < 20; ++k) press_dialog_button(dialog, IDC_REGISTER);
        see_list(dialog);
        int32_t before = shown_messages().count;
        press_dialog_button(dialog, IDC_REGISTER);
        g_seen.states.push_back(shown_messages().count == before + 1);
        choose_in_dialog(dialog, IDC_REGISTERED_LIST, 4);
        press_dialog_button(dialog, IDC_REGISTERED_DELETE);
        g_seen.texts.push_back(std::to_string(combo_items(dialog, IDC_REGISTERED_LIST).size()));
        g_seen.texts.push_back(std::to_string(combo_selection(dialog, IDC_REGISTERED_LIST)));
        press_dialog_button(dialog, IDOK);
    });
    EXPECT_EQ(g_seen.listItems.size(), 20u);
    EXPECT_EQ(g_seen.listItems.front(), " 1");
    EXPECT_EQ(g_seen.listItems.back(), "20");
    EXPECT_EQ(g_seen.listSelection, 19);
    EXPECT_EQ(g_seen.panel, code_text(0));
    EXPECT_EQ(g_seen.states, std::vector<bool>({true}));
    expect_message("これ以上登録できません。", "", MB_ICONWARNING);
    EXPECT_EQ(g_seen.texts, std::vector<std::string>({"19", "3"}));
    EXPECT_EQ(RegisteredCodes.count, 19);
    EXPECT_EQ(int_setting(SettingPrintType), PrintRegistered);
    // Still registered at the next opening; a deletion made room again.
    print_dialog([](HWND dialog) {
        press_dialog_button(dialog, IDC_REGISTER);
        see_list(dialog);
        press_dialog_button(dialog, IDCANCEL);
    });
    EXPECT_EQ(g_seen.listItems.size(), 20u);
    EXPECT_EQ(g_seen.listSelection, 19);
    EXPECT_EQ(RegisteredCodes.count, 20);
}

TEST_F(Printing, PrintsTheShownCodeAt100) {
    generate(kThreeCodes);
    click(IDC_DOWN);
    pump_for(20);
    print_dialog([](HWND dialog) {
        choose_in_dialog(dialog, IDC_PRINT_SIZE, 2);
        press_dialog_button(dialog, IDC_PRINT_NOW);
        g_seen.openAfterPrint = IsWindow(dialog) && IsWindowVisible(dialog);
    });
    EXPECT_FALSE(g_seen.openAfterPrint);
    EXPECT_EQ(g_page.calls, std::vector<std::string>({"open", "start YourPrinter", "end", "release"}));
    CodeSlot code;
    ASSERT_EQ(read_code(1, &code), 0);
    EXPECT_EQ(page_differences(code.matrix, code.version, 4, 0, 100, 100), 0);
    int32_t side = image_side(code.version, 2, 1, 4);
    EXPECT_EQ(side, 2 * (4 * code.version + 21) * 4);
    EXPECT_EQ(page_pixel(99, 100), 0xEEEEEEu);
    EXPECT_EQ(page_pixel(100 + side, 100 + side - 1), 0xEEEEEEu);
    EXPECT_EQ(int_setting(SettingPrintSize), 2);
}

TEST_F(Printing, PrintsAllCodesInARow) {
    fresh_page(3400, 400);
    generate(kThreeCodes);
    IntSettings[SettingColors].value = 5;   // blue
    print_dialog([](HWND dialog) {
        press_dialog_button(dialog, IDC_PRINT_ALL);
        choose_in_dialog(dialog, IDC_PRINT_SIZE, 0);
        press_dialog_button(dialog, IDC_PRINT_NOW);
    });
    ASSERT_EQ(g_page.calls.size(), 4u);
    for (int32_t k = 0; k < 3; ++k) {
        CodeSlot code;
        ASSERT_EQ(read_code(k, &code), 0);
        EXPECT_EQ(page_differences(code.matrix, code.version, 2, ModuleColours[5], 100 + 1500 * k, 100), 0) << k;
    }
    EXPECT_EQ(int_setting(SettingPrintType), PrintAll);
}

TEST_F(Printing, PrintsRegisteredCodesWithAnEmptyList) {
    fresh_page(1800, 3900);
    generate("kept one");
    print_dialog([](HWND dialog) {
        press_dialog_button(dialog, IDC_PRINT_REGISTERED);
        press_dialog_button(dialog, IDC_REGISTER);
        press_dialog_button(dialog, IDOK);
    });
    set_text(IDC_TEXT, "");
    click(IDC_CREATE);
    ASSERT_TRUE(wait_for_generation());
    int32_t count = 0, current = 0;
    read_code_count(&count, &current);
    ASSERT_EQ(count, 0);
    print_dialog([](HWND dialog) {
        press_dialog_button(dialog, IDC_PRINT_NOW);
    });
    ASSERT_EQ(g_page.calls.size(), 4u);
    const RegisteredCode& kept = RegisteredCodes.entries[0];
    EXPECT_EQ(page_differences(kept.matrix, kept.version, 3, 0, 100, 100), 0);
    static const int32_t blank[kCodeMatrixCells] = {};
    for (int32_t k = 1; k < 20; ++k) {
        PrintPlace at = print_place(PrintRegistered, 1, k);
        EXPECT_EQ(page_differences(blank, 1, 3, 0, at.x, at.y), 0) << k;   // a white square
    }
    EXPECT_EQ(print_place(PrintRegistered, 1, 19).y, 100 + 6 * 600);
}

TEST_F(Printing, NoDataAndNoPrinterKeepTheDialogOpen) {
    print_dialog(print_then_cancel);
    EXPECT_TRUE(g_seen.openAfterPrint);
    expect_message("印刷するデータがありません。", "No Data", MB_ICONWARNING);
    EXPECT_EQ(g_page.calls, std::vector<std::string>({"open", "release"}));
    generate("data");
    g_page.present = false;
    print_dialog(print_then_cancel);
    EXPECT_TRUE(g_seen.openAfterPrint);
    expect_message("印刷エラーが発生しました。m(_ _)m", "Error", MB_ICONINFORMATION);
}

// "印刷(&P)" stores the marked type and size even when printing fails; what
// is marked after it and cancelled is not stored.
TEST_F(Printing, PrintStoresTheChoiceThoughItFailsAndCancelKeepsIt) {
    print_dialog([](HWND dialog) {
        press_dialog_button(dialog, IDC_PRINT_ALL);
        choose_in_dialog(dialog, IDC_PRINT_SIZE, 4);
        press_dialog_button(dialog, IDC_PRINT_NOW);
        press_dialog_button(dialog, IDC_PRINT_REGISTERED);
        choose_in_dialog(dialog, IDC_PRINT_SIZE, 8);
        press_dialog_button(dialog, IDCANCEL);
    });
    expect_message("印刷するデータがありません。", "No Data", MB_ICONWARNING);
    EXPECT_EQ(int_setting(SettingPrintType), PrintAll);
    EXPECT_EQ(int_setting(SettingPrintSize), 4);
}

// The system's own printer: with no default printer the job reports the error.
TEST_F(Printing, SystemWithoutADefaultPrinterReportsTheError) {
    wchar_t device[256];
    GetProfileStringW(L"windows", L"device", L"", device, 256);
    HDC printer = device[0] != L'\0' ? CreateDCW(nullptr, device, nullptr, nullptr) : nullptr;
    if (printer != nullptr) {
        DeleteDC(printer);
        GTEST_SKIP() << "a default printer is installed";
    }
    set_printer_seam(nullptr);
    generate("data");
    print_dialog(print_then_cancel);
    EXPECT_TRUE(g_seen.openAfterPrint);
    expect_message("印刷エラーが発生しました。m(_ _)m", "Error", MB_ICONINFORMATION);
}

// --- The clipboard ---------------------------------------------------------------------

struct ClipboardImage {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitCount = 0;
    std::vector<uint32_t> pixels;   // top row first, 0x00BBGGRR
};

ClipboardImage clipboard_image() {
    ClipboardImage image;
    if (!OpenClipboard(main_window())) return image;
    HANDLE data = GetClipboardData(CF_DIB);
    const auto* header = data != nullptr ? static_cast<const BITMAPINFOHEADER*>(GlobalLock(data)) : nullptr;
    if (header != nullptr) {
        image.width = header->biWidth;
        image.height = header->biHeight;
        image.bitCount = header->biBitCount;
        const auto* rows = reinterpret_cast<const uint8_t*>(header) + header->biSize;
        int32_t stride = (image.width * 3 + 3) / 4 * 4;
        for (int32_t y = 0; image.bitCount == 24 && y < image.height; ++y) {
            const uint8_t* row = rows + static_cast<size_t>(image.height - 1 - y) * stride;
            for (int32_t x = 0; x < image.width; ++x) {
                image.pixels.push_back(row[3 * x] << 16 | row[3 * x + 1] << 8 | row[3 * x + 2]);
            }
        }
        GlobalUnlock(data);
    }
    CloseClipboard();
    return image;
}

std::vector<uint32_t> raster_of(int32_t index, int32_t step, uint32_t colour) {
    static uint8_t pixels[kRasterBytes];
    CodeSlot code;
    read_code(index, &code);
    Raster raster = {0, 0, pixels, kRasterBytes};
    render_symbol(code.matrix, code.version, int_setting(SettingDrawMargin), step, 1, colour, &raster);
    std::vector<uint32_t> out;
    for (int32_t y = 0; y < raster.side; ++y) {
        for (int32_t x = 0; x < raster.side; ++x) {
            const uint8_t* p = pixels + y * raster.stride + 3 * x;
            out.push_back(static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2]);
        }
    }
    return out;
}

void clear_clipboard() {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    CloseClipboard();
}

TEST_F(Printing, CopyPutsTheShownCodeOnTheClipboard) {
    generate(kThreeCodes);
    click(IDC_DOWN);
    click(IDC_DOWN);
    pump_for(20);
    IntSettings[SettingColors].value = kRainbowColour;
    const struct {
        int32_t step;
        int32_t side;
    } rows[] = {{0, 25}, {7, 325}, {3, 125}};
    for (const auto& r : rows) {
        clear_clipboard();
        SendMessageW(item(IDC_SIZE_SLIDER), TBM_SETPOS, TRUE, r.step);
        command(IDM_COPY_IMAGE);
        ClipboardImage image = clipboard_image();
        EXPECT_EQ(image.bitCount, 24);
        EXPECT_EQ(image.width, r.side) << r.step;
        EXPECT_EQ(image.height, r.side) << r.step;
        EXPECT_TRUE(image.pixels == raster_of(2, r.step, kRainbowMarker)) << r.step;
        EXPECT_EQ(int_setting(SettingSliderPos), r.step);
    }
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
}

// The bytes of a registered clipboard format, empty when it is not there.
std::string clipboard_bytes(const wchar_t* name) {
    std::string bytes;
    if (!OpenClipboard(main_window())) return bytes;
    HANDLE data = GetClipboardData(RegisterClipboardFormatW(name));
    const char* p = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (p != nullptr) {
        bytes.assign(p, GlobalSize(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes;
}

// Marks the modules of the path whose data starts at i: "M x y", then
// "m dx dy" from the last start, each run "h w v1 h-w z".
void add_path_modules(const std::string& svg, size_t i, int32_t side, std::vector<bool>* dark) {
    long x = 0, y = 0;
    while (i < svg.size() && svg[i] != '"') {
        char op = svg[i];
        char* end = nullptr;
        long a = std::strtol(svg.c_str() + i + 1, &end, 10);
        if (op == 'M' || op == 'm') {
            long b = std::strtol(end + 1, &end, 10);
            x = op == 'M' ? a : x + a;
            y = op == 'M' ? b : y + b;
            i = static_cast<size_t>(end - svg.c_str());
        } else if (op == 'h' && a > 0) {
            for (long k = 0; k < a && y < side && x + k < side; ++k) (*dark)[y * side + x + k] = true;
            i = svg.find('z', i) + 1;   // "v1h-wz" closes the run
        } else {
            ++i;
        }
    }
}

// The dark modules of every path of the SVG, as module (x, y) of a side x
// side picture.
std::vector<bool> svg_modules(const std::string& svg, int32_t side) {
    std::vector<bool> dark(static_cast<size_t>(side * side), false);
    for (size_t at = svg.find(" d=\""); at != std::string::npos; at = svg.find(" d=\"", at + 1)) {
        add_path_modules(svg, at + 4, side, &dark);
    }
    return dark;
}

// Beside the bitmap, "PNG" holds the same pixels (1-bit grey for black,
// RGB for colours) and "image/svg+xml" the same symbol at 0.5 mm a module.
TEST_F(Printing, CopyAlsoOffersThePixelsAsPngAndTheSymbolAsSvg) {
    generate(kThreeCodes);
    click(IDC_DOWN);
    pump_for(20);
    SendMessageW(item(IDC_SIZE_SLIDER), TBM_SETPOS, TRUE, 2);
    for (int32_t colours : {0, static_cast<int32_t>(kRainbowColour)}) {
        clear_clipboard();
        set_int_setting(SettingColors, colours);
        command(IDM_COPY_IMAGE);
        uint32_t colour = colours == 0 ? 0x000000u : kRainbowMarker;
        std::vector<uint32_t> want = raster_of(1, 2, colour);
        Image png;
        ASSERT_TRUE(read_png(clipboard_bytes(L"PNG"), &png)) << colours;
        EXPECT_EQ(png.format, colours == 0 ? "png-grey1" : "png-rgb8");
        ASSERT_EQ(static_cast<size_t>(png.width) * png.height, want.size());
        std::vector<uint32_t> got;
        for (size_t p = 0; p < want.size(); ++p) {
            got.push_back(png.rgb[3 * p + 2] << 16 | png.rgb[3 * p + 1] << 8 | png.rgb[3 * p]);
        }
        EXPECT_TRUE(got == want) << colours;

        CodeSlot code;
        read_code(1, &code);
        int32_t n = 4 * code.version + 17, margin = int_setting(SettingDrawMargin), side = n + 2 * margin;
        std::string svg = clipboard_bytes(L"image/svg+xml");
        char size[96];
        std::snprintf(size, sizeof size, "width=\"%gmm\" height=\"%gmm\" viewBox=\"0 0 %d %d\"", side * 0.5,
                      side * 0.5, side, side);
        EXPECT_NE(svg.find(size), std::string::npos) << svg.substr(0, 200);
        std::vector<bool> dark = svg_modules(svg, side);
        int32_t wrong = 0;
        for (int32_t x = 0; x < side; ++x) {
            for (int32_t y = 0; y < side; ++y) {
                bool module = x >= margin && y >= margin && x < n + margin && y < n + margin &&
                              code.matrix[(x - margin) * n + (y - margin)] == 1;
                wrong += dark[y * side + x] != module;
            }
        }
        EXPECT_EQ(wrong, 0) << colours;
        if (colours != 0) continue;
        ASSERT_TRUE(OpenClipboard(main_window()));
        EXPECT_EQ(EnumClipboardFormats(0), static_cast<UINT>(CF_DIB)) << "the bitmap comes first";
        CloseClipboard();
    }
}

TEST_F(Printing, StatusNoteRevertsWhenTimer1253Fires) {
    generate("HELLO");
    pump_for(20);
    std::string before = status_text(0);
    command(IDM_COPY_IMAGE);
    pump_for(20);
    EXPECT_EQ(status_text(0), "[clipboard] ●●●　クリップボードにコピーしました。");
    // Armed by the copy; stopped here and fired by hand instead of waiting.
    EXPECT_NE(KillTimer(main_window(), IDT_STATUS_RESTORE), 0);
    SendMessageW(main_window(), WM_TIMER, IDT_STATUS_RESTORE, 0);
    pump_for(20);
    EXPECT_EQ(status_text(0), before);
    EXPECT_NE(before.find("QRコード"), std::string::npos);
}

TEST_F(Printing, CopyRefusesNoDataAndTheTextDataView) {
    clear_clipboard();
    command(IDM_COPY_IMAGE);
    expect_message("クリップボードへコピーするデータがありません。", "No Data", MB_ICONWARNING);
    generate("HELLO");
    click(IDC_TEXT_VIEW_BUTTON);
    command(IDM_COPY_IMAGE);
    expect_message("QRコードが表示されていません。", "Wrong Display", MB_ICONWARNING);
    EXPECT_EQ(clipboard_image().width, 0);
    pump_for(20);
    EXPECT_NE(status_text(0), "[clipboard] ●●●　クリップボードにコピーしました。");
}

}  // namespace
