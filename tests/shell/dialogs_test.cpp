// The start-up dialog and the version box driven through their own dialog
// procedures, the start counter across runs of the window, and the help
// page handed to the system's default handler.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "persistence/start_up.h"
#include "resources/resource.h"
#include "resources/version.h"
#include "shell/shell.h"
#include "tests/shell/shell_support.h"

namespace {

const wchar_t kProgramKey[] = L"Software\\Velmora Tools\\Mivoka";
const wchar_t kMakerKey[] = L"Software\\Velmora Tools";

// Puts the default dialog handler back however a test ends.
struct DialogHandlerScope {
    explicit DialogHandlerScope(DialogHandler handler) { set_dialog_handler(handler); }
    ~DialogHandlerScope() { set_dialog_handler(nullptr); }
};

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string first_message_for(const char* osName, bool ok) {
    return std::string("【 初回起動 】　　　　　　　　　　[") + osName + "]:" +
           (ok ? "OK\n\nご使用いただきありがとうございます。"
               : "NG\n\nこのバージョンでは、正しく動作しないかもしれません。");
}

// The room text needs in control's font, unwrapped.
SIZE text_room(HWND control, const std::string& utf8) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT need = {0, 0, 0, 0};
    DrawTextW(dc, wide_of(utf8).c_str(), -1, &need, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return SIZE{need.right, need.bottom};
}

// --- First Message ------------------------------------------------------------------------

struct SeenFirstMessage {
    std::string text;
    RECT place;
    HWND owner;
    bool formExisted;
    bool fits;         // the shown text and the widest one of the system table
    bool closedByOk;
};
SeenFirstMessage g_seen;

void read_first_message(HWND dialog) {
    HWND label = GetDlgItem(dialog, IDC_FIRST_MESSAGE_TEXT);
    g_seen.text = text_of(label);
    GetWindowRect(dialog, &g_seen.place);
    g_seen.owner = GetWindow(dialog, GW_OWNER);
    g_seen.formExisted = main_form() != nullptr;
    RECT room;
    GetClientRect(label, &room);
    g_seen.fits = true;
    for (const std::string& text : {g_seen.text, first_message_for("Windows Svr 2012", false),
                                    first_message_for("Windows Svr 2012", true)}) {
        SIZE need = text_room(label, text);
        g_seen.fits = g_seen.fits && need.cx <= room.right && need.cy <= room.bottom;
    }
    press_dialog_button(dialog, IDOK);
    g_seen.closedByOk = IsWindowVisible(dialog) == 0;
}

TEST(FirstMessage, FirstStartShowsTheSystemAndVerdictThenTheSecondStartCounts) {
    DialogHandlerScope scope(read_first_message);
    fresh_settings();
    g_seen = {};
    open_window();
    ASSERT_EQ(shown_dialogs().count, 1);
    EXPECT_EQ(shown_dialogs().caption, "First Message");
    const OsInfo& os = current_os_info();
    EXPECT_NE(os.name[0], '\0');
    EXPECT_EQ(g_seen.text, first_message_for(os.name, os_verdict_ok(os.code)));
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    EXPECT_EQ(g_seen.place.left, desktop.right / 2 - 160);
    EXPECT_EQ(g_seen.place.top, desktop.bottom / 2 - 100);
    EXPECT_EQ(g_seen.owner, main_window());
    EXPECT_FALSE(g_seen.formExisted) << "shown before the main form is made";
    EXPECT_TRUE(g_seen.fits) << "the label holds the whole message";
    EXPECT_TRUE(g_seen.closedByOk);
    EXPECT_EQ(shown_dialogs().leftOpen, 0);
    EXPECT_NE(main_form(), nullptr) << "the start-up goes on after the dialog";
    EXPECT_TRUE(contains(settings_file_text(), "_count=1\r\n"));
    close_window(true);
    EXPECT_TRUE(contains(settings_file_text(), "_version=2125825\r\n")) << "the stamp is written at exit";

    open_window();
    EXPECT_EQ(shown_dialogs().count, 0);
    EXPECT_TRUE(contains(settings_file_text(), "_count=2\r\n"));
    close_window();
}

void close_with_close_box(HWND dialog) { SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

TEST(FirstMessage, TheCloseBoxClosesIt) {
    DialogHandlerScope scope(close_with_close_box);
    fresh_settings();
    open_window();
    EXPECT_EQ(shown_dialogs().count, 1);
    EXPECT_EQ(shown_dialogs().leftOpen, 0);
    EXPECT_NE(main_form(), nullptr);
    close_window();
}

struct StartCase {
    const char* lines;       // Mivoka.ini under [Base]
    int32_t registryStamp;   // "_version" in the registry, -1 none
    int32_t shown;           // First Message dialogs
    const char* count;       // "_count" written at start
};

const StartCase kStarts[] = {
    {"_version=2125825\r\n_count=1\r\n", -1, 0, "_count=2\r\n"},
    {"_version=100\r\n_count=5\r\n", -1, 0, "_count=1\r\n"},          // upgrade: no message
    {"_version=2125825\r\n_count=0\r\n", -1, 1, "_count=1\r\n"},
    {"_version=2125825\r\n", -1, 1, "_count=1\r\n"},
    {"_version=2125826\r\n_count=3\r\n", -1, 0, "_count=4\r\n"},      // a newer stamp stands
    {"_count=3\r\n", 2125825, 0, "_count=4\r\n"},                     // the registry's stamp
    {"_count=3\r\n", -1, 1, "_count=1\r\n"},
};

TEST(FirstMessage, ShownOnlyForFirstStartsAndCountedInTheIniFile) {
    for (const StartCase& c : kStarts) {
        RegDeleteTreeW(HKEY_CURRENT_USER, kProgramKey);
        if (c.registryStamp != -1) {
            DWORD stamp = static_cast<DWORD>(c.registryStamp);
            RegSetKeyValueW(HKEY_CURRENT_USER, kProgramKey, L"_version", REG_DWORD, &stamp, sizeof stamp);
        }
        fresh_settings();
        write_settings(c.lines);
        open_window();
        EXPECT_EQ(shown_dialogs().count, c.shown) << c.lines;
        EXPECT_TRUE(contains(settings_file_text(), c.count)) << c.lines;
        close_window();
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, kProgramKey);
}

int32_t registry_int(const wchar_t* key, const wchar_t* name) {
    DWORD value = 0, size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) {
        return -1;
    }
    return static_cast<int32_t>(value);
}

// No "use.ini": the counter lives in the registry and the first start
// advances the maker's "tools".
TEST(FirstMessage, RegistryBackEndCountsStartsAndTheMakersTools) {
    const std::string marker = test_app_folder() + "use.ini";
    remove_file_at(marker);
    fresh_settings();
    RegDeleteTreeW(HKEY_CURRENT_USER, kProgramKey);
    int32_t tools = registry_int(kMakerKey, L"tools");
    open_window();
    EXPECT_EQ(shown_dialogs().count, 1);
    EXPECT_EQ(shown_dialogs().caption, "First Message");
    EXPECT_EQ(registry_int(kProgramKey, L"_count"), 1);
    EXPECT_EQ(registry_int(kMakerKey, L"tools"), tools > 0 ? tools + 1 : 1);
    close_window(true);
    EXPECT_EQ(registry_int(kProgramKey, L"_version"), CurrentVersionStamp) << "the stamp is written at exit";
    open_window();
    EXPECT_EQ(shown_dialogs().count, 0);
    EXPECT_EQ(registry_int(kProgramKey, L"_count"), 2);
    EXPECT_EQ(registry_int(kMakerKey, L"tools"), tools > 0 ? tools + 1 : 1) << "only a first start counts";
    close_window();
    RegDeleteTreeW(HKEY_CURRENT_USER, kProgramKey);
    if (tools == -1) {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kMakerKey, L"tools");
    } else {
        DWORD value = static_cast<DWORD>(tools);
        RegSetKeyValueW(HKEY_CURRENT_USER, kMakerKey, L"tools", REG_DWORD, &value, sizeof value);
    }
    EXPECT_EQ(settings_file_text(), "") << "the ini file is neither read nor written";
    write_file(marker, "");
}

}  // namespace

namespace {

// --- Version box ---------------------------------------------------------------------------

const char kWebAddress[] = "https://velmora-tools.example/";
const char kMailAddress[] = "support@velmora-tools.example";

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override {
        fresh_settings();
        write_settings("_version=2125825\r\n_count=1\r\n");   // no First Message
        open_window();
    }
    void TearDown() override { close_window(); }
};

struct LinkPaint {
    COLORREF corner;     // the background
    int32_t longestRun;  // of the link colour in one row: the underline
    int32_t textWidth;   // of the link text in the dialog font
    int32_t width;
};

// Paints the link into a memory raster as the control paints itself.
LinkPaint paint_of(HWND dialog, int32_t id, COLORREF colour) {
    HWND link = GetDlgItem(dialog, id);
    RECT r;
    GetClientRect(link, &r);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP raster = CreateCompatibleBitmap(screen, r.right, r.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldRaster = SelectObject(dc, raster);
    SendMessageW(link, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    LinkPaint paint = {GetPixel(dc, r.right - 1, 0), 0, 0, r.right};
    for (int32_t y = 0; y < r.bottom; ++y) {
        int32_t run = 0;
        for (int32_t x = 0; x < r.right; ++x) {
            run = GetPixel(dc, x, y) == colour ? run + 1 : 0;
            if (run > paint.longestRun) paint.longestRun = run;
        }
    }
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    std::wstring text = wide_of(dialog_item_text(dialog, id));
    SIZE extent;
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    paint.textWidth = extent.cx;
    SelectObject(dc, oldFont);
    SelectObject(dc, oldRaster);
    DeleteObject(raster);
    DeleteDC(dc);
    return paint;
}

void expect_link_painted(HWND dialog, int32_t id, COLORREF colour) {
    LinkPaint paint = paint_of(dialog, id, colour);
    EXPECT_EQ(paint.corner, GetSysColor(COLOR_BTNFACE)) << id;
    EXPECT_LE(paint.textWidth, paint.width) << id << ": the link fits its label";
    EXPECT_GE(paint.longestRun, paint.textWidth - 2) << id << ": underlined in its colour";
}

HCURSOR cursor_over(HWND control) {
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
    SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
}

void click_link(HWND dialog, int32_t id) {
    HWND link = GetDlgItem(dialog, id);
    SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(link, WM_LBUTTONUP, 0, 0);
}

bool g_versionBoxClosed = false;

void check_version_box(HWND dialog) {
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), main_window());
    // The one version of resources/version.h (2.7 gives "ver2.7").
    EXPECT_EQ(dialog_item_text(dialog, IDC_VERSION_TEXT),
              " Mivoka　ver" + std::to_string(MIVOKA_VERSION_MAJOR) + "." + std::to_string(MIVOKA_VERSION_MINOR) +
                  "\n\nVelmora Tools\n本ソフトウェアは無保証です。");
    EXPECT_EQ(GetWindowLongW(GetDlgItem(dialog, IDC_VERSION_TEXT), GWL_STYLE) & SS_TYPEMASK, SS_CENTER);
    EXPECT_EQ(dialog_item_text(dialog, IDC_VERSION_URL), kWebAddress);
    EXPECT_EQ(dialog_item_text(dialog, IDC_VERSION_MAIL), kMailAddress);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK)) << "the focus starts on OK";
    expect_link_painted(dialog, IDC_VERSION_URL, RGB(0, 0, 255));
    expect_link_painted(dialog, IDC_VERSION_MAIL, RGB(0, 192, 0));

    HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_HAND_CURSOR));
    ASSERT_NE(hand, nullptr);
    EXPECT_EQ(cursor_over(GetDlgItem(dialog, IDC_VERSION_URL)), hand);
    EXPECT_EQ(cursor_over(GetDlgItem(dialog, IDC_VERSION_MAIL)), hand);
    EXPECT_NE(cursor_over(GetDlgItem(dialog, IDC_VERSION_TEXT)), hand);

    click_link(dialog, IDC_VERSION_URL);
    EXPECT_EQ(shell_opens().count, 1);
    EXPECT_EQ(shell_opens().target, kWebAddress);
    click_link(dialog, IDC_VERSION_MAIL);
    EXPECT_EQ(shell_opens().count, 2);
    EXPECT_EQ(shell_opens().target, std::string("mailto:") + kMailAddress);
    EXPECT_TRUE(IsWindowVisible(dialog)) << "a link leaves the box open";

    press_dialog_button(dialog, IDOK);
    g_versionBoxClosed = IsWindowVisible(dialog) == 0;
}

UINT menu_state(int32_t id) { return GetMenuState(GetMenu(main_window()), id, MF_BYCOMMAND); }

TEST_F(Dialogs, VersionBoxShowsTheVersionAndOpensItsLinks) {
    DialogHandlerScope scope(check_version_box);
    EXPECT_FALSE(menu_state(IDM_VERSION) & MF_GRAYED);
    EXPECT_TRUE(SendMessageW(toolbar(), TB_ISBUTTONENABLED, IDM_VERSION, 0));
    g_versionBoxClosed = false;
    command(IDM_VERSION);
    EXPECT_EQ(shown_dialogs().count, 1);
    EXPECT_EQ(shown_dialogs().caption, "バージョン情報");
    EXPECT_TRUE(g_versionBoxClosed) << "OK closes";
    EXPECT_EQ(shown_dialogs().leftOpen, 0);
}

TEST_F(Dialogs, VersionBoxFromTheToolbarClosesWithTheCloseBox) {
    DialogHandlerScope scope(close_with_close_box);
    SendMessageW(main_window(), WM_COMMAND, MAKEWPARAM(IDM_VERSION, BN_CLICKED),
                 reinterpret_cast<LPARAM>(toolbar()));
    pump_for(10);
    EXPECT_EQ(shown_dialogs().count, 1);
    EXPECT_EQ(shown_dialogs().leftOpen, 0);
    EXPECT_EQ(shell_opens().count, 0);
}

// --- Help ----------------------------------------------------------------------------------

TEST_F(Dialogs, HelpOpensThePageBesideTheProgram) {
    set_help_page_present(true);
    press_key(VK_F1, 0);
    EXPECT_EQ(shell_opens().count, 1);
    EXPECT_EQ(shell_opens().target, test_app_folder() + "help\\index.html");
    EXPECT_EQ(shown_messages().count, 0);
    set_help_page_present(false);
    command(IDM_HELP);
    EXPECT_EQ(shell_opens().count, 2);
    EXPECT_EQ(shown_messages().count, 1);
    EXPECT_EQ(shown_messages().caption, "No Help HTML File!");
}

TEST_F(Dialogs, HelpThroughTheSystemWithoutThePageSaysSo) {
    set_help_page_present(false);
    set_shell_open_seam(nullptr);
    command(IDM_HELP);
    EXPECT_EQ(shown_messages().count, 1);
    EXPECT_EQ(shown_messages().caption, "No Help HTML File!");
    EXPECT_EQ(shown_messages().text, "ヘルプHTMLファイルが見つかりません。");
}

// The page beside the test program is the one the program ships: UTF-8 that
// says so, and about the program's modes and tool.
TEST(HelpPage, IsUtf8AndCoversTheModesAndTheTool) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::strrchr(exe, '\\')[1] = '\0';
    FILE* f = std::fopen((std::string(exe) + "help\\index.html").c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::string page;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) page.append(buffer, n);
    std::fclose(f);
    EXPECT_GT(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, page.data(), static_cast<int>(page.size()),
                                  nullptr, 0),
              0);
    for (const char* part : {"<meta charset=\"utf-8\">", "テキスト", "メール作成", "携帯アドレス登録", "UTF-8",
                             "mivoka-cli.exe", "use.ini", "設定情報を削除して終了", "[split]"}) {
        EXPECT_TRUE(contains(page, part)) << part;
    }
}

}  // namespace
