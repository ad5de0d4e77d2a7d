// The main window: menu states and commands, the minimum size, the help
// command's message, the toolbar and the settings across two runs.
#include <gtest/gtest.h>

#include <cstdio>

#include "persistence/settings_store.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell.h"
#include "tests/shell/shell_support.h"

namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        fresh_settings();
        open_window();
    }
    void TearDown() override { close_window(); }
};

UINT menu_state(int32_t id) { return GetMenuState(GetMenu(main_window()), id, MF_BYCOMMAND); }

RECT sized(WPARAM edge, RECT r) {
    SendMessageW(main_window(), WM_SIZING, edge, reinterpret_cast<LPARAM>(&r));
    return r;
}

TEST_F(MainWindow, HasItsClassTitleAndMinimumSize) {
    wchar_t name[32];
    GetClassNameW(main_window(), name, 32);
    EXPECT_STREQ(name, L"Mivoka");
    EXPECT_EQ(text_of(main_window()), "Mivoka");
    EXPECT_TRUE(GetWindowLongW(main_window(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

struct DragCase {
    WPARAM edge;
    RECT before;
    RECT after;
};

// The dragged edge is pushed back; the opposite one stays.
const DragCase kDrags[] = {
    {WMSZ_LEFT, {100, 100, 600, 700}, {600 - 780, 100, 600, 700}},
    {WMSZ_RIGHT, {100, 100, 600, 700}, {100, 100, 880, 700}},
    {WMSZ_TOPLEFT, {100, 100, 900, 400}, {100, 400 - 580, 900, 400}},
    {WMSZ_BOTTOM, {100, 100, 900, 400}, {100, 100, 900, 680}},
    {WMSZ_BOTTOMLEFT, {100, 100, 500, 400}, {500 - 780, 100, 500, 680}},
    {WMSZ_TOPRIGHT, {100, 100, 500, 400}, {100, 400 - 580, 880, 400}},
    {WMSZ_RIGHT, {100, 100, 900, 700}, {100, 100, 900, 700}},
};

TEST_F(MainWindow, DraggingAnEdgeKeepsTheMinimumSize) {
    for (const DragCase& c : kDrags) {
        RECT r = sized(c.edge, c.before);
        EXPECT_EQ(r.left, c.after.left) << "edge " << c.edge;
        EXPECT_EQ(r.top, c.after.top) << "edge " << c.edge;
        EXPECT_EQ(r.right, c.after.right) << "edge " << c.edge;
        EXPECT_EQ(r.bottom, c.after.bottom) << "edge " << c.edge;
    }
}

TEST_F(MainWindow, CtrlASelectsTheWholeField) {
    set_text(IDC_TEXT, "select me");
    SetFocus(item(IDC_TEXT));
    SendMessageW(item(IDC_TEXT), EM_SETSEL, 2, 2);
    press_key('A', VK_CONTROL);
    DWORD start = 0, end = 0;
    SendMessageW(item(IDC_TEXT), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 9u);
}

// Every command is there: the menu items are enabled but "全てのBMPを保存",
// which waits for a payload of two or more codes; an unknown id does nothing.
TEST_F(MainWindow, EveryCommandIsEnabledButSaveAllWithoutCodes) {
    const int32_t menuItems[] = {IDM_OPEN_TEXT, IDM_TEXT_SAVE, IDM_SAVE_BMP, IDM_IMPORT, IDM_PRINT, IDM_EXIT,
                                 IDM_TOOLBAR, IDM_COPY_IMAGE, IDM_WORD_WRAP, IDM_RESUME, IDM_OPTIONS, IDM_HELP,
                                 IDM_DELETE_SETTINGS, IDM_VERSION, IDM_BACKGROUND_NONE, IDM_BACKGROUND_WHITE};
    for (int32_t id : menuItems) EXPECT_FALSE(menu_state(id) & MF_GRAYED) << id;
    EXPECT_TRUE(menu_state(IDM_SAVE_ALL_BMP) & MF_GRAYED);
    EXPECT_EQ(SendMessageW(toolbar(), TB_BUTTONCOUNT, 0, 0), 9);
    const int32_t buttons[] = {IDM_OPEN_TEXT, IDM_SAVE_DATA, IDM_PRINT, IDM_COPY_IMAGE, IDM_OPTIONS, IDM_VERSION};
    for (int32_t id : buttons) EXPECT_TRUE(SendMessageW(toolbar(), TB_ISBUTTONENABLED, id, 0)) << id;
    EXPECT_FALSE(SendMessageW(toolbar(), TB_ISBUTTONENABLED, IDM_SAVE_ALL_BMP, 0));
    EXPECT_EQ(dispatch_command(40999), 0);
    EXPECT_EQ(shown_messages().count, 0);
}

TEST_F(MainWindow, HelpWithoutTheHelpFolderSaysSo) {
    command(IDM_HELP);
    EXPECT_EQ(shown_messages().count, 1);
    EXPECT_EQ(shown_messages().caption, "No Help HTML File!");
    EXPECT_EQ(shown_messages().text, "ヘルプHTMLファイルが見つかりません。");
    EXPECT_EQ(shown_messages().flags & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
}

TEST_F(MainWindow, BackgroundMenuActsAsARadioGroup) {
    EXPECT_TRUE(menu_state(IDM_BACKGROUND_ORANGE) & MF_CHECKED);   // "bgno" 3 by default
    command(IDM_BACKGROUND_BLUE);
    EXPECT_EQ(int_setting(SettingBgNo), 1);
    EXPECT_TRUE(menu_state(IDM_BACKGROUND_BLUE) & MF_CHECKED);
    EXPECT_FALSE(menu_state(IDM_BACKGROUND_ORANGE) & MF_CHECKED);
    command(IDM_BACKGROUND_NONE);
    EXPECT_EQ(int_setting(SettingBgNo), 0);
    EXPECT_TRUE(menu_state(IDM_BACKGROUND_NONE) & MF_CHECKED);
    EXPECT_FALSE(menu_state(IDM_BACKGROUND_BLUE) & MF_CHECKED);
    EXPECT_NE(toolbar(), nullptr) << "a shown toolbar stays shown";
}

TEST_F(MainWindow, ToolbarCommandHidesAndShowsTheToolbar) {
    RECT form;
    EXPECT_TRUE(menu_state(IDM_TOOLBAR) & MF_CHECKED);
    command(IDM_TOOLBAR);
    EXPECT_EQ(toolbar(), nullptr);
    EXPECT_FALSE(menu_state(IDM_TOOLBAR) & MF_CHECKED);
    GetWindowRect(main_form(), &form);
    MapWindowPoints(nullptr, main_window(), reinterpret_cast<POINT*>(&form), 2);
    EXPECT_EQ(form.top, 0);
    command(IDM_BACKGROUND_BLUE);
    EXPECT_EQ(toolbar(), nullptr) << "a hidden toolbar stays hidden";
    command(IDM_TOOLBAR);
    EXPECT_NE(toolbar(), nullptr);
    GetWindowRect(main_form(), &form);
    MapWindowPoints(nullptr, main_window(), reinterpret_cast<POINT*>(&form), 2);
    EXPECT_EQ(form.top, 26);
}

// While a modal window is up its owner is disabled; a command that reaches
// the main window then (queued before the window came up) is dropped, so no
// second modal window opens inside the first.
TEST_F(MainWindow, CommandsWaitWhileAModalWindowHoldsTheWindowOrTheForm) {
    for (HWND owner : {main_window(), main_form()}) {
        EXPECT_EQ(int_setting(SettingBgNo), 3);
        EnableWindow(owner, FALSE);
        command(IDM_BACKGROUND_BLUE);
        command(IDM_TOOLBAR);
        EXPECT_EQ(int_setting(SettingBgNo), 3);
        EXPECT_NE(toolbar(), nullptr);
        EnableWindow(owner, TRUE);
        command(IDM_BACKGROUND_BLUE);
        EXPECT_EQ(int_setting(SettingBgNo), 1);
        command(IDM_BACKGROUND_ORANGE);
    }
}

TEST_F(MainWindow, WordWrapKeepsTheTexts) {
    set_text(IDC_TEXT, "long line of text");
    EXPECT_TRUE(menu_state(IDM_WORD_WRAP) & MF_CHECKED);
    command(IDM_WORD_WRAP);
    EXPECT_FALSE(menu_state(IDM_WORD_WRAP) & MF_CHECKED);
    EXPECT_EQ(int_setting(SettingEditWrap), 0);
    EXPECT_EQ(text_of_item(IDC_TEXT), "long line of text");
    EXPECT_TRUE(GetWindowLongW(item(IDC_TEXT), GWL_STYLE) & WS_HSCROLL);
    EXPECT_TRUE(visible(IDC_TEXT));
    RECT window, field;
    GetWindowRect(main_window(), &window);
    GetWindowRect(item(IDC_TEXT), &field);
    EXPECT_EQ(field.right - field.left, window.right - window.left - 470) << "placed again after the re-creation";
}

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

TEST(SettingsAcrossRuns, IniFileKeepsModeAutomaticBackgroundAndGeometry) {
    fresh_settings();
    open_window();
    click(IDC_MODE_MAIL);
    click(IDC_AUTO);
    command(IDM_BACKGROUND_GREEN);
    SetWindowPos(main_window(), nullptr, 40, 30, 900, 640, SWP_NOZORDER);
    pump_for(30);
    close_window(true);
    std::string ini = settings_file_text();
    for (const char* line : {"mode=1\r\n", "autoencode=1\r\n", "bgno=2\r\n", "wwidth=900\r\n", "wheight=640\r\n",
                             "wleft=40\r\n", "wtop=30\r\n"}) {
        EXPECT_TRUE(contains(ini, line)) << line;
    }
    open_window();
    EXPECT_TRUE(checked(IDC_MODE_MAIL));
    EXPECT_TRUE(visible(IDC_BODY));
    EXPECT_FALSE(visible(IDC_TEXT));
    EXPECT_TRUE(checked(IDC_AUTO));
    EXPECT_EQ(status_text(0), "[auto] ◆　QRコード自動作成　◆");
    EXPECT_TRUE(menu_state(IDM_BACKGROUND_GREEN) & MF_CHECKED);
    RECT r;
    GetWindowRect(main_window(), &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right - r.left, 900);
    EXPECT_EQ(r.bottom - r.top, 640);
    close_window();
}

TEST(SettingsAcrossRuns, PlacementOutsideTheDesktopIsCentred) {
    fresh_settings();
    write_settings("wwidth=900\r\nwheight=640\r\nwleft=-20\r\nwtop=30\r\n");
    open_window();
    RECT r, desktop;
    GetWindowRect(main_window(), &r);
    GetWindowRect(GetDesktopWindow(), &desktop);
    EXPECT_EQ(r.bottom - r.top, 590);
    EXPECT_EQ(r.right - r.left, 780);
    EXPECT_EQ(r.left, (desktop.right - 780) / 2);
    EXPECT_EQ(r.top, (desktop.bottom - 590) / 2);
    close_window();
}

// Closed on a monitor right of this one that is no longer there: the window
// comes back on the nearest monitor, inside its work area, its size kept.
TEST(SettingsAcrossRuns, PlacementOnAMonitorThatIsGoneFitsIntoTheNearestWorkArea) {
    fresh_settings();
    write_settings("wwidth=900\r\nwheight=640\r\nwleft=6000\r\nwtop=30\r\n");
    open_window();
    RECT r;
    GetWindowRect(main_window(), &r);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(main_window(), MONITOR_DEFAULTTONULL), &info));
    EXPECT_EQ(r.right - r.left, 900);
    EXPECT_EQ(r.bottom - r.top, 640);
    EXPECT_EQ(r.right, info.rcWork.right);
    EXPECT_EQ(r.top, 30);
    close_window();
}

// Closed a little left of and above the screen's origin, as a window on a
// monitor there is: "wx" and "wy" bring it back to that place, where
// "wleft" and "wtop" alone (loaded as -1) would centre it.
TEST(SettingsAcrossRuns, AWindowLeftOfTheOriginComesBackWhereItWas) {
    fresh_settings();
    write_settings("wwidth=900\r\nwheight=640\r\nwleft=-6\r\nwtop=-4\r\nwx=-6\r\nwy=-4\r\n");
    open_window();
    RECT r;
    GetWindowRect(main_window(), &r);
    EXPECT_EQ(r.left, -6);
    EXPECT_EQ(r.top, -4);
    EXPECT_EQ(r.right - r.left, 900);
    SetWindowPos(main_window(), nullptr, -8, -5, 900, 640, SWP_NOZORDER | SWP_NOACTIVATE);
    close_window(true);
    std::string ini = settings_file_text();
    EXPECT_TRUE(contains(ini, "wx=-8\r\n")) << ini;
    EXPECT_TRUE(contains(ini, "wy=-5\r\n"));
    EXPECT_TRUE(contains(ini, "wleft=-8\r\n")) << "written as it is; it loads as -1";

    // A monitor far to the left that is gone: the nearest one takes it.
    write_settings("wwidth=900\r\nwheight=640\r\nwx=-3000\r\nwy=40\r\n");
    open_window();
    GetWindowRect(main_window(), &r);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(main_window(), MONITOR_DEFAULTTONULL), &info));
    EXPECT_EQ(r.left, info.rcWork.left);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 900);
    close_window();
}

TEST(SettingsAcrossRuns, MaximisedExitKeepsTheStoredGeometry) {
    fresh_settings();
    write_settings("wwidth=900\r\nwheight=640\r\nwleft=50\r\nwtop=60\r\n");
    open_window();
    ShowWindow(main_window(), SW_MAXIMIZE);
    pump_for(30);
    close_window(true);
    std::string ini = settings_file_text();
    EXPECT_TRUE(contains(ini, "wleft=50\r\n"));
    EXPECT_TRUE(contains(ini, "wwidth=900\r\n"));
}

}  // namespace

namespace {

TEST_F(MainWindow, ExitCommandClosesTheWindowAndSaves) {
    click(IDC_MODE_ADDRESS);
    set_no_save(false);
    EXPECT_EQ(dispatch_command(IDM_EXIT), 1);
    pump_for(20);
    EXPECT_FALSE(IsWindow(main_window()));
    EXPECT_NE(settings_file_text().find("mode=2\r\n"), std::string::npos);
}

TEST_F(MainWindow, ToolbarTooltipsComeFromTheTable) {
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = toolbar();
    info.hdr.idFrom = IDM_SAVE_DATA;
    info.hdr.code = TTN_GETDISPINFOW;
    SendMessageW(main_window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, L"\x30C7\x30FC\x30BF\x3092\x4FDD\x5B58");   // データを保存
    info.hdr.idFrom = IDM_PRINT;
    SendMessageW(main_window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(info.lpszText, L"\x5370\x5237(Ctrl+P)");   // 印刷(Ctrl+P)
}

bool g_chooserAnswer = true;
int32_t g_chooserCalls = 0;

bool answer_chooser(HWND, uint32_t* colour) {
    ++g_chooserCalls;
    if (g_chooserAnswer) *colour = 0x00FF00;   // green, 0x00BBGGRR
    return g_chooserAnswer;
}

TEST_F(MainWindow, ColourChooserSelectsTheCustomColour) {
    set_colour_chooser_seam(answer_chooser);
    set_text(IDC_TEXT, "HELLO");
    click(IDC_CREATE);
    ASSERT_TRUE(wait_for_generation());
    choose_item(IDC_MARGIN, 0);
    choose_item(IDC_COLOUR, 3);
    g_chooserAnswer = false;
    click(IDC_CHOOSE_COLOUR);
    EXPECT_EQ(SendMessageW(item(IDC_COLOUR), CB_GETCURSEL, 0, 0), 3) << "cancel changes nothing";
    EXPECT_FALSE(visible(IDC_SWATCH));
    g_chooserAnswer = true;
    click(IDC_CHOOSE_COLOUR);
    EXPECT_EQ(g_chooserCalls, 2);
    EXPECT_EQ(SendMessageW(item(IDC_COLOUR), CB_GETCURSEL, 0, 0), 12);
    EXPECT_EQ(int_setting(SettingColors), 12);
    EXPECT_EQ(int_setting(SettingCustomCol), 0x00FF00);
    EXPECT_TRUE(visible(IDC_SWATCH));
    pump_for(30);
    EXPECT_EQ(preview_pixel(1, 1), 0x00FF00u);
    set_colour_chooser_seam(nullptr);
}

// The registry back-end: no "use.ini" beside the program.
TEST(SettingsInTheRegistry, KeepTheModeAcrossTwoRuns) {
    const std::string marker = test_app_folder() + "use.ini";
    remove_file_at(marker);
    fresh_settings();
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Velmora Tools\\Mivoka");
    open_window();
    click(IDC_MODE_MAIL);
    choose_item(IDC_ENCODING, 1);
    close_window(true);
    DWORD mode = 99, carrier = 99, size = sizeof mode;
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\Velmora Tools\\Mivoka", L"mode", RRF_RT_REG_DWORD, nullptr, &mode,
                 &size);
    size = sizeof carrier;
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\Velmora Tools\\Mivoka", L"carrier", RRF_RT_REG_DWORD, nullptr,
                 &carrier, &size);
    EXPECT_EQ(mode, 1u);
    EXPECT_EQ(carrier, 3u);
    EXPECT_EQ(settings_file_text(), "") << "the ini file is neither read nor written";
    open_window();
    EXPECT_TRUE(checked(IDC_MODE_MAIL));
    EXPECT_EQ(SendMessageW(item(IDC_ENCODING), CB_GETCURSEL, 0, 0), 1);
    close_window();
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Velmora Tools\\Mivoka");
    write_file(marker, "");
}

}  // namespace

namespace {

const wchar_t kProgramKey[] = L"Software\\Velmora Tools\\Mivoka";
const wchar_t kMakerKey[] = L"Software\\Velmora Tools";

void write_dword(const wchar_t* key, const wchar_t* name, DWORD value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_DWORD, &value, sizeof value);
}

bool key_exists(const wchar_t* key) {
    HKEY handle;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

TEST(DeleteSettingsAndQuit, IniBranchAsksAndEmptiesTheFile) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kProgramKey);
    fresh_settings();
    write_settings("mode=1\r\n");
    open_window();
    set_message_answer(IDNO);
    command(IDM_DELETE_SETTINGS);
    EXPECT_EQ(shown_messages().caption, "Initalize Config?");
    EXPECT_EQ(shown_messages().text, "設定(ini)ファイルを初期化して終了します。よろしいですか。");
    EXPECT_EQ(shown_messages().flags, static_cast<UINT>(MB_ICONINFORMATION | MB_YESNO));
    EXPECT_TRUE(IsWindow(main_window())) << "No changes nothing";
    set_message_answer(IDYES);
    command(IDM_DELETE_SETTINGS);
    pump_for(20);
    EXPECT_FALSE(IsWindow(main_window()));
    EXPECT_EQ(settings_file_text(), "[Base]\r\n") << "nothing is saved after the reset";
}

// Registry settings and the maker's counter at tools; the reset asked for
// and cancelled.
void cancel_registry_reset(DWORD tools) {
    fresh_settings();
    write_dword(kProgramKey, L"_count", 5);
    write_dword(kMakerKey, L"tools", tools);
    open_window();
    set_message_answer(IDCANCEL);
    command(IDM_DELETE_SETTINGS);
}

TEST(DeleteSettingsAndQuit, RegistryBranchDeletesTheKeyAndCountsTheMakersTools) {
    cancel_registry_reset(3);
    EXPECT_EQ(shown_messages().caption, "Delete Reg & Close?");
    EXPECT_TRUE(key_exists(kProgramKey)) << "Cancel changes nothing";
    set_message_answer(IDOK);
    command(IDM_DELETE_SETTINGS);
    pump_for(20);
    EXPECT_EQ(shown_messages().caption, "Registry Successfully Deleted");
    EXPECT_FALSE(IsWindow(main_window()));
    EXPECT_FALSE(key_exists(kProgramKey));
    DWORD tools = 0, size = sizeof tools;
    RegGetValueW(HKEY_CURRENT_USER, kMakerKey, L"tools", RRF_RT_REG_DWORD, nullptr, &tools, &size);
    EXPECT_EQ(tools, 2u);
    EXPECT_EQ(settings_file_text().find("mode="), std::string::npos) << "nothing is saved after the reset";
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kMakerKey, L"tools");
}

}  // namespace

namespace {

TEST(DeleteSettingsAndQuit, RegistryBranchAsksAndTheLastToolTakesTheMakersKey) {
    cancel_registry_reset(1);
    EXPECT_EQ(shown_messages().text, "Mivoka のレジストリを削除して終了します。よろしいですか。\n");
    EXPECT_EQ(shown_messages().flags, static_cast<UINT>(MB_ICONQUESTION | MB_OKCANCEL));
    set_message_answer(IDOK);
    command(IDM_DELETE_SETTINGS);
    pump_for(20);
    EXPECT_EQ(shown_messages().text, "Mivoka のレジストリは正常に削除されました。");
    EXPECT_EQ(shown_messages().flags, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_FALSE(IsWindow(main_window()));
    EXPECT_FALSE(key_exists(kMakerKey)) << "tools below 2: the maker's key goes too";
}

// The branch follows the registry's "_count", not the back-end in use.
TEST(DeleteSettingsAndQuit, RegistryBackEndWithoutItsCounterAsksTheIniQuestion) {
    const std::string marker = test_app_folder() + "use.ini";
    remove_file_at(marker);
    fresh_settings();
    open_window();
    RegDeleteTreeW(HKEY_CURRENT_USER, kProgramKey);
    set_message_answer(IDNO);
    command(IDM_DELETE_SETTINGS);
    EXPECT_EQ(shown_messages().caption, "Initalize Config?");
    EXPECT_TRUE(IsWindow(main_window()));
    close_window();
    RegDeleteTreeW(HKEY_CURRENT_USER, kProgramKey);
    write_file(marker, "");
}

}  // namespace
