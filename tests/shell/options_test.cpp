// The options property sheet driven as the user drives it: what it shows
// from the settings, what OK stores and re-applies (the view font, the
// regeneration, the version range, the extension filter), that Cancel
// stores nothing, and the page it opens on.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <string>
#include <vector>

#include "persistence/documents.h"
#include "pipeline/generation.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell.h"
#include "tests/shell/shell_support.h"

namespace {

// What the handler saw and what it is to do with the sheet.
struct SheetVisit {
    std::string caption;
    int32_t openedOn = -1;                 // page index showing at opening
    std::string extFilter;                 // page "ファイル" as it opened
    int32_t selections[5] = {-1, -1, -1, -1, -1};   // page "表示" as it opened
    bool oneCode = false;
    bool utf8Forms = false;
    std::vector<std::string> items[5];     // its lists' items
    // The changes: -1 leaves a list alone; a null filter leaves the field alone.
    int32_t choose[5] = {-1, -1, -1, -1, -1};
    int32_t oneCodeTo = -1;
    int32_t utf8FormsTo = -1;
    const char* filterTo = nullptr;
    bool showViewPage = true;              // switch to "表示" before closing
    int32_t closeOn = -1;                  // page to be showing at closing (-1: as is)
    int32_t button = IDOK;
};
SheetVisit g_visit;

const int32_t kLists[5] = {IDC_OPTION_LEVEL, IDC_OPTION_VERSION_LOW, IDC_OPTION_VERSION_HIGH, IDC_OPTION_LINE_WIDTH,
                           IDC_OPTION_TIMER};

std::vector<std::string> list_items(HWND list) {
    std::vector<std::string> items;
    auto count = static_cast<int32_t>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    for (int32_t i = 0; i < count; ++i) {
        wchar_t text[128] = L"";
        SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        char utf8[256];
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
        items.push_back(utf8);
    }
    return items;
}

void visit_view_page(HWND page) {
    for (int32_t i = 0; i < 5; ++i) {
        HWND list = GetDlgItem(page, kLists[i]);
        g_visit.selections[i] = static_cast<int32_t>(SendMessageW(list, CB_GETCURSEL, 0, 0));
        g_visit.items[i] = list_items(list);
        if (g_visit.choose[i] >= 0) SendMessageW(list, CB_SETCURSEL, g_visit.choose[i], 0);
    }
    g_visit.oneCode = IsDlgButtonChecked(page, IDC_OPTION_ONE_CODE) == BST_CHECKED;
    if (g_visit.oneCodeTo >= 0) CheckDlgButton(page, IDC_OPTION_ONE_CODE, g_visit.oneCodeTo);
    g_visit.utf8Forms = IsDlgButtonChecked(page, IDC_OPTION_UTF8_FORMS) == BST_CHECKED;
    if (g_visit.utf8FormsTo >= 0) CheckDlgButton(page, IDC_OPTION_UTF8_FORMS, g_visit.utf8FormsTo);
}

void drive_sheet(HWND sheet) {
    g_visit.caption = text_of(sheet);
    HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    g_visit.openedOn = PropSheet_HwndToIndex(sheet, page);
    if (g_visit.openedOn != 0) {
        PropSheet_SetCurSel(sheet, nullptr, 0);
        page = PropSheet_GetCurrentPageHwnd(sheet);
    }
    g_visit.extFilter = dialog_item_text(page, IDC_OPTION_EXT_FILTER);
    if (g_visit.filterTo != nullptr) {
        SetDlgItemTextA(page, IDC_OPTION_EXT_FILTER, g_visit.filterTo);
    }
    if (g_visit.showViewPage) {
        PropSheet_SetCurSel(sheet, nullptr, 1);
        visit_view_page(PropSheet_GetCurrentPageHwnd(sheet));
    }
    if (g_visit.closeOn >= 0) PropSheet_SetCurSel(sheet, nullptr, g_visit.closeOn);
    press_dialog_button(sheet, g_visit.button);
}

class Options : public ::testing::Test {
protected:
    void SetUp() override {
        fresh_settings();
        clear_code_list();
        g_visit = SheetVisit();
        set_dialog_handler(drive_sheet);
    }
    void TearDown() override {
        set_dialog_handler(nullptr);
        close_window();
    }
    // The sheet from the menu, answered by drive_sheet.
    void open_sheet() {
        int32_t before = shown_dialogs().count;
        command(IDM_OPTIONS);
        ASSERT_EQ(shown_dialogs().count, before + 1);
        EXPECT_EQ(shown_dialogs().leftOpen, 0);
    }
};

std::string code_text(int32_t index) {
    CodeSlot code;
    if (read_code(index, &code) != 0) return "";
    return code.text;
}

// Ticks or clears "UTF-8でもメールとアドレス帳を作成する" through the sheet.
void set_utf8_forms(int32_t check) {
    g_visit = SheetVisit();
    g_visit.utf8FormsTo = check;
    int32_t before = shown_dialogs().count;
    command(IDM_OPTIONS);
    ASSERT_EQ(shown_dialogs().count, before + 1);
}

int32_t code_version() {
    CodeSlot code;
    read_code(0, &code);
    return code.version;
}

TEST_F(Options, ShowsTheStoredSettingsAndCancelKeepsThem) {
    write_settings("redunrate=2\nqrver1=3\nqrver2=15\npreviewno=7\nquick=0\nonecode=1\nextfilter=\".txt .log\"\n");
    open_window();
    g_visit.choose[0] = 0;
    g_visit.choose[3] = 10;
    g_visit.oneCodeTo = BST_UNCHECKED;
    g_visit.filterTo = ".zzz";
    g_visit.button = IDCANCEL;
    open_sheet();
    EXPECT_EQ(g_visit.caption, "オプション");
    EXPECT_EQ(g_visit.extFilter, ".txt .log");
    const int32_t expected[5] = {2, 3, 15, 7, 0};
    for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(g_visit.selections[i], expected[i]) << "list " << i;
    EXPECT_TRUE(g_visit.oneCode);
    // Cancel: nothing stored.
    EXPECT_EQ(int_setting(SettingRedunRate), 2);
    EXPECT_EQ(int_setting(SettingPreviewNo), 7);
    EXPECT_EQ(int_setting(SettingOneCode), 1);
    EXPECT_STREQ(find_text_setting("extfilter")->value, ".txt .log");
    EXPECT_EQ(match_document_extension("a.zzz"), -1);
}

TEST_F(Options, ListsOfferTheLevelsVersionsWidthsAndSpeeds) {
    open_window();
    g_visit.button = IDCANCEL;
    open_sheet();
    EXPECT_EQ(g_visit.items[0], (std::vector<std::string>{" 7％ (Ｌ)", "15％ (Ｍ)", "25％ (Ｑ)", "30％ (Ｈ)"}));
    ASSERT_EQ(g_visit.items[1].size(), 20u);
    EXPECT_EQ(g_visit.items[1][0], "1 (21×21セル)");
    EXPECT_EQ(g_visit.items[1][14], "15 (77×77セル)");
    EXPECT_EQ(g_visit.items[1][19], "20 (97×97セル)");
    EXPECT_EQ(g_visit.items[2], g_visit.items[1]);
    EXPECT_EQ(g_visit.items[3], (std::vector<std::string>{" 6", " 7", " 8", " 9", "10", "11", "12", "14", "16", "18",
                                                          "20"}));
    EXPECT_EQ(g_visit.items[4], (std::vector<std::string>{"はやい", "ふつう", "ゆっくり"}));
    // The defaults: M, versions 1 to 20, width 10, "ふつう", no error.
    const int32_t defaults[5] = {1, 0, 19, 4, 1};
    for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(g_visit.selections[i], defaults[i]) << "list " << i;
    EXPECT_FALSE(g_visit.oneCode);
}

TEST_F(Options, OkStoresEveryPageAndExchangesAReversedRange) {
    open_window();
    g_visit.choose[0] = 3;
    g_visit.choose[1] = 14;   // "15 (77×77セル)" as the lower end
    g_visit.choose[2] = 2;    // "3 (29×29セル)" as the upper end
    g_visit.choose[3] = 10;   // width 20
    g_visit.choose[4] = 2;
    g_visit.oneCodeTo = BST_CHECKED;
    g_visit.filterTo = ".txt .dat";
    open_sheet();
    EXPECT_EQ(int_setting(SettingRedunRate), 3);
    EXPECT_EQ(int_setting(SettingQrVer1), 2);
    EXPECT_EQ(int_setting(SettingQrVer2), 14);
    EXPECT_EQ(int_setting(SettingPreviewNo), 10);
    EXPECT_EQ(int_setting(SettingQuick), 2);
    EXPECT_EQ(int_setting(SettingOneCode), 1);
    EXPECT_STREQ(find_text_setting("extfilter")->value, ".txt .dat");
    // The text-data view's font shrinks to the width's height at once.
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(item(IDC_TEXT_VIEW), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, 12);
}

TEST_F(Options, TheExtensionFilterDecidesWhichDropsAreRead) {
    open_window();
    const std::string folder = test_files_folder("options");
    write_file(folder + "note.dat", sjis("< Text >\r\nfrom the dat file\r\n"));
    drop_files({folder + "note.dat"});
    EXPECT_EQ(text_of_item(IDC_TEXT), "") << "not accepted by default";
    pump_for(150);   // past the drop guard
    g_visit.filterTo = ".txt .dat .csv";
    g_visit.showViewPage = false;
    open_sheet();
    EXPECT_EQ(match_document_extension("x.csv"), -1) << "CSV files always go to the import";
    drop_files({folder + "note.dat"});
    EXPECT_EQ(text_of_item(IDC_TEXT), "from the dat file");
}

TEST_F(Options, OkOnTheViewPageRegeneratesWithTheNewLevelAndRange) {
    open_window();
    set_text(IDC_TEXT, "THE OPTIONS SHEET REGENERATES 0123456789");
    click(IDC_CREATE);
    ASSERT_TRUE(wait_for_generation());
    ASSERT_EQ(code_count(), 1);
    int32_t atM = code_version();
    g_visit.choose[0] = 3;   // H needs a larger symbol for the same text
    open_sheet();
    ASSERT_TRUE(wait_for_generation());
    EXPECT_GT(code_version(), atM);
    EXPECT_EQ(code_count(), 1);
    pump_for(150);
    g_visit.choose[1] = 0;
    g_visit.choose[2] = 0;   // version 1 at most: the text needs several codes
    open_sheet();
    ASSERT_TRUE(wait_for_generation());
    EXPECT_GT(code_count(), 1);
    EXPECT_EQ(code_version(), 1);
}

TEST_F(Options, OkOnTheFilePageAloneDoesNotRegenerate) {
    open_window();
    set_text(IDC_TEXT, "kept as it was");
    click(IDC_CREATE);
    g_visit.closeOn = 0;
    open_sheet();   // the next opening starts on "ファイル"
    ASSERT_TRUE(wait_for_generation());
    clear_code_list();   // a regeneration would fill it again
    g_visit = SheetVisit();
    g_visit.showViewPage = false;
    g_visit.filterTo = ".txt";
    open_sheet();
    pump_for(100);
    EXPECT_EQ(code_count(), 0);
    EXPECT_EQ(int_setting(SettingRedunRate), 1);
}

// The sheet alone works on its record: it stores no setting, and gives only
// the pages shown, while Cancel gives nothing.
TEST_F(Options, TheSheetGivesItsRecordAndStoresNothingItself) {
    open_window();
    OptionsChoice choice = {".csv", {3, 0, 5, 2, 1}, true, false, 1, {false, false}};
    g_visit.filterTo = ".log";
    g_visit.showViewPage = false;
    g_visit.closeOn = 0;
    g_visit.button = IDCANCEL;
    EXPECT_FALSE(show_options(main_window(), &choice));
    EXPECT_EQ(g_visit.openedOn, 1);
    EXPECT_STREQ(choice.extFilter, ".csv");
    g_visit.button = IDOK;
    EXPECT_TRUE(show_options(main_window(), &choice));
    EXPECT_STREQ(choice.extFilter, ".log");
    EXPECT_EQ(choice.page, 0);
    EXPECT_TRUE(choice.stored[0]);
    EXPECT_TRUE(choice.stored[1]) << "it opened on \"表示\", which was shown";
    EXPECT_EQ(choice.lists[2], 5);
    const TextSetting* filter = find_text_setting("extfilter");
    ASSERT_NE(filter, nullptr);
    EXPECT_STRNE(filter->value, ".log");
    EXPECT_EQ(int_setting(SettingQrVer2), 19) << "the stored settings are the command's to change";
}

TEST_F(Options, TheSheetOpensOnThePageShowingAtTheLastOk) {
    open_window();
    g_visit.closeOn = 0;
    open_sheet();   // OK on "ファイル": the next opening starts there
    g_visit.closeOn = 1;
    open_sheet();
    EXPECT_EQ(g_visit.openedOn, 0);
    g_visit.button = IDCANCEL;
    g_visit.closeOn = 0;
    open_sheet();
    EXPECT_EQ(g_visit.openedOn, 1) << "the last OK was on \"表示\"";
    g_visit.button = IDOK;
    g_visit.closeOn = -1;
    open_sheet();
    EXPECT_EQ(g_visit.openedOn, 1) << "Cancel remembers nothing";
    g_visit.closeOn = 0;
    open_sheet();
    g_visit.closeOn = -1;
    open_sheet();
    EXPECT_EQ(g_visit.openedOn, 0);
}

// With "UTF-8でもメールとアドレス帳を作成する" ticked, UTF-8 keeps the mail and
// address modes and makes what the tool makes for them; cleared, UTF-8 is
// text alone again.
TEST_F(Options, Utf8FormsKeepMailAndAddressForUtf8) {
    write_settings("carrier=4\nmode=1\n");
    open_window();
    EXPECT_TRUE(checked(IDC_MODE_TEXT)) << "UTF-8 alone starts in text mode";
    EXPECT_FALSE(visible(IDC_MODE_MAIL));
    set_utf8_forms(BST_CHECKED);
    EXPECT_FALSE(g_visit.utf8Forms) << "off by default";
    EXPECT_EQ(int_setting(SettingUtf8Forms), 1);
    EXPECT_TRUE(visible(IDC_MODE_MAIL));
    EXPECT_TRUE(visible(IDC_MODE_ADDRESS));

    press_key(VK_RIGHT, VK_MENU);   // Alt+Right: the next mode, as for the carriers
    EXPECT_TRUE(checked(IDC_MODE_MAIL));
    set_text(IDC_TO, "taro@example.jp");
    set_text(IDC_SUBJECT, "件名 A&B");
    set_text(IDC_BODY, "本文\r\n[1F600]");
    click(IDC_CREATE);
    ASSERT_TRUE(wait_for_generation());
    EXPECT_EQ(code_text(0), "mailto:taro@example.jp?subject=%E4%BB%B6%E5%90%8D%20A%26B&body=%E6%9C%AC%E6%96%87%0D%0A"
                            "%F0%9F%98%80");

    click(IDC_MODE_ADDRESS);
    set_text(IDC_NAME, "山田 太郎");
    set_text(IDC_FURIGANA, "ﾔﾏﾀﾞ ﾀﾛｳ");
    set_text(IDC_PHONE1, "090-1234-5678");
    set_text(IDC_MAIL1, "a@b.jp");
    click(IDC_CREATE);
    ASSERT_TRUE(wait_for_generation());
    EXPECT_EQ(code_text(0), "MECARD:N:山田 太郎;SOUND:ヤマダ タロウ;TEL:090-1234-5678;EMAIL:a@b.jp;;");

    close_window(true);
    EXPECT_NE(settings_file_text().find("utf8forms=1"), std::string::npos);
    open_window();
    EXPECT_TRUE(checked(IDC_MODE_ADDRESS)) << "the mode is kept across a restart";
    set_utf8_forms(BST_UNCHECKED);
    EXPECT_EQ(int_setting(SettingUtf8Forms), 0);
    EXPECT_TRUE(checked(IDC_MODE_TEXT));
    EXPECT_FALSE(checked(IDC_MODE_ADDRESS));
    EXPECT_FALSE(visible(IDC_MODE_ADDRESS));
    EXPECT_EQ(int_setting(SettingMode), 0);
}

// The window's smartphone mail and contact are the tool's, byte for byte:
// each case typed into the window and given to `mivoka payload` as options.
struct SmartphoneCase {
    int32_t mode;          // 1 mail, 2 address
    const char* fields[8]; // mail: to, subject, body; address: name, furigana, phone1..3, mail1, note
};

const int32_t kMailFields[] = {IDC_TO, IDC_SUBJECT, IDC_BODY};
const char* const kMailOptions[] = {"--to", "--subject", "--body-file"};
const int32_t kAddressFields[] = {IDC_NAME, IDC_FURIGANA, IDC_PHONE1, IDC_PHONE2, IDC_PHONE3, IDC_MAIL1, IDC_NOTE};
const char* const kAddressOptions[] = {"--name", "--furigana", "--phone1", "--phone2", "--phone3", "--mail1", "--note"};

// The tool's options for a case; the body goes through a UTF-8 file, as a
// command line does not carry its line ends.
std::string tool_options(const SmartphoneCase& c, const std::string& folder) {
    std::string options = c.mode == 1 ? "payload --carrier utf8 --mode mail --input utf8"
                                      : "payload --carrier utf8 --mode address";
    size_t count = c.mode == 1 ? 3 : 7;
    for (size_t i = 0; i < count; ++i) {
        const char* option = c.mode == 1 ? kMailOptions[i] : kAddressOptions[i];
        std::string value = c.fields[i];
        if (std::string(option) == "--body-file") {
            write_file(folder + "body.txt", value);
            value = folder + "body.txt";
        }
        options += std::string(" ") + option + " \"" + value + "\"";
    }
    return options;
}

TEST_F(Options, SmartphoneMailAndContactsAreTheTools) {
    const SmartphoneCase kCases[] = {
        {1, {"taro@example.jp", "件名 A&B", "本文\r\n2行目 [1F600]"}},
        {1, {"a@b.jp,c@d.jp", "", "Café ¥100 한국어 张三 ?&=#%+"}},
        {1, {"", "only a subject", ""}},
        {2, {"山田 太郎", "ﾔﾏﾀﾞ ﾀﾛｳ", "090-1234-5678", "", "", "a@b.jp", ""}},
        {2, {"José García", "ほせ がるしあ", "+34 600 000 000", "03-1111-2222", "", "", "memo; with, colon: \\ end"}},
        {2, {"김민수", "", "010", "", "", "kim@example.kr", ""}},
    };
    write_settings("carrier=4\nutf8forms=1\n");
    open_window();
    std::string folder = test_files_folder("smartphone");
    int32_t n = 0;
    for (const SmartphoneCase& c : kCases) {
        ++n;
        click(c.mode == 1 ? IDC_MODE_MAIL : IDC_MODE_ADDRESS);
        size_t count = c.mode == 1 ? 3 : 7;
        for (size_t i = 0; i < count; ++i) set_text(c.mode == 1 ? kMailFields[i] : kAddressFields[i], c.fields[i]);
        click(IDC_CREATE);
        ASSERT_TRUE(wait_for_generation()) << n;
        ASSERT_EQ(run_tool(tool_options(c, folder), folder + "payload.out"), 0) << tool_options(c, folder);
        EXPECT_EQ(code_text(0), file_bytes(folder + "payload.out")) << "case " << n;
    }
}

// A smartphone mail whose URI outruns the payload says so in the window
// instead of showing nothing.
TEST_F(Options, ATooLongSmartphoneMailShowsItsError) {
    write_settings("carrier=4\nmode=1\nutf8forms=1\n");
    open_window();
    ASSERT_TRUE(checked(IDC_MODE_MAIL));
    set_text(IDC_BODY, std::string(6661, ' ').c_str());   // 13 + 6,661 x 3 = 19,996 bytes
    click(IDC_CREATE);
    ASSERT_TRUE(wait_for_generation());
    int32_t argument = 0;
    EXPECT_EQ(generation_error(&argument), ErrorMailUriTooLong);
    EXPECT_EQ(argument, 19996);
    EXPECT_EQ(code_count(), 0);
    char message[128];
    generation_error_message(message);
    EXPECT_NE(std::string(message).find("19996"), std::string::npos);
}

}  // namespace
