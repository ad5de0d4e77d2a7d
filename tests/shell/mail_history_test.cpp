// The mail-address history on screen: the To combo box's list from the
// stored entries, the "+" button's popup menu, adding through dialog IDD_ADD_ADDRESS
// (split at the first space, placed beside the main window), removing, the
// domain completion and the stored entries put into the To field.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell.h"
#include "tests/shell/shell_support.h"

namespace {

// A menu's items: the text of each, "-" for a separator, and the ids.
struct MenuItems {
    std::vector<std::string> texts;
    std::vector<UINT> ids;
};

MenuItems menu_items(HMENU menu) {
    MenuItems items;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[128] = L"";
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 128;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        bool separator = (info.fType & MFT_SEPARATOR) != 0;
        items.texts.push_back(separator ? "-" : utf8_of(text));
        items.ids.push_back(separator ? 0 : info.wID);
    }
    return items;
}

// The popup menus the window shows: their items, where, and the item the
// user picks (0: none), sent to the owner as the system does.
struct ShownMenu {
    int32_t count = 0;
    MenuItems items;
    POINT at = {};
    UINT pick = 0;
};
ShownMenu g_menu;

void record_menu(HMENU menu, int32_t x, int32_t y, HWND owner) {
    ++g_menu.count;
    g_menu.items = menu_items(menu);
    g_menu.at = {x, y};
    if (g_menu.pick != 0) PostMessageW(owner, WM_COMMAND, g_menu.pick, 0);
}

// Dialog IDD_ADD_ADDRESS as the handler found it, and what it answers.
struct AddDialog {
    std::string caption;
    std::string address;
    std::string displayName;
    RECT place = {};
    bool readOnlyAddress = false;
    bool nameHasFocus = false;
    const char* typeName = nullptr;   // typed into the display name first
    int32_t button = IDOK;
};
AddDialog g_add;

void answer_add_dialog(HWND dialog) {
    g_add.caption = text_of(dialog);
    g_add.address = dialog_item_text(dialog, IDC_ADD_ADDRESS);
    g_add.displayName = dialog_item_text(dialog, IDC_ADD_DISPLAY_NAME);
    GetWindowRect(dialog, &g_add.place);
    g_add.readOnlyAddress = (GetWindowLongW(GetDlgItem(dialog, IDC_ADD_ADDRESS), GWL_STYLE) & ES_READONLY) != 0;
    g_add.nameHasFocus = GetFocus() == GetDlgItem(dialog, IDC_ADD_DISPLAY_NAME);
    if (g_add.typeName != nullptr) SetDlgItemTextA(dialog, IDC_ADD_DISPLAY_NAME, g_add.typeName);
    press_dialog_button(dialog, g_add.button);
}

std::vector<std::string> to_list() {
    std::vector<std::string> items;
    HWND to = item(IDC_TO);
    auto count = static_cast<int32_t>(SendMessageW(to, CB_GETCOUNT, 0, 0));
    for (int32_t i = 0; i < count; ++i) {
        wchar_t text[256] = L"";
        SendMessageW(to, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(utf8_of(text));
    }
    return items;
}

std::string stored(int32_t entry) {
    char key[16];
    wsprintfA(key, "usrmailv%d", entry);
    return find_text_setting(key)->value;
}

class MailHistory : public ::testing::Test {
protected:
    void SetUp() override {
        fresh_settings();
        g_menu = ShownMenu();
        g_add = AddDialog();
        set_popup_menu_seam(record_menu);
        set_dialog_handler(answer_add_dialog);
    }
    void TearDown() override {
        set_dialog_handler(nullptr);
        set_popup_menu_seam(nullptr);
        close_window();
    }
    // Dialogs shown since the window opened (its start-up may show one).
    int32_t dialogs() const { return shown_dialogs().count - openedWith_; }
    void open() {
        open_window();
        openedWith_ = shown_dialogs().count;
    }
    int32_t openedWith_ = 0;
    void add(const char* to) {
        set_text(IDC_TO, to);
        command(IDM_HISTORY_ADD);
    }
};

TEST_F(MailHistory, TheMenuHoldsAddRemoveAndTheDomainsInTheirGroups) {
    open();
    HMENU menu = build_history_menu();
    MenuItems items = menu_items(menu);
    DestroyMenu(menu);
    const std::vector<std::string> texts = {
        "左のアドレスを履歴に追加", "左のアドレスを履歴から削除", "-", "*@docomo.ne.jp", "-", "*@ezweb.ne.jp", "-",
        "*@softbank.ne.jp", "-", "*@i.softbank.jp", "*@au.com", "*@ymobile.ne.jp", "*@willcom.com", "*@gmail.com",
        "*@yahoo.co.jp", "*@outlook.jp", "*@icloud.com"};
    EXPECT_EQ(items.texts, texts);
    EXPECT_EQ(items.ids[0], static_cast<UINT>(IDM_HISTORY_ADD));
    EXPECT_EQ(items.ids[1], static_cast<UINT>(IDM_HISTORY_REMOVE));
    EXPECT_EQ(items.ids[3], static_cast<UINT>(IDM_DOMAIN_FIRST));
    EXPECT_EQ(items.ids[16], static_cast<UINT>(IDM_DOMAIN_LAST));
}

TEST_F(MailHistory, ThePlusButtonShowsTheMenuAtTheMouseForEitherButton) {
    open();
    click(IDC_MODE_MAIL);
    EXPECT_TRUE(enabled(IDC_HISTORY_MENU));
    SetCursorPos(300, 200);
    set_text(IDC_TO, "someone");
    g_menu.pick = IDM_DOMAIN_FIRST;
    click(IDC_HISTORY_MENU);
    pump_for(20);
    ASSERT_EQ(g_menu.count, 1);
    EXPECT_EQ(g_menu.items.texts.size(), 17u);
    EXPECT_EQ(g_menu.at.x, 300);
    EXPECT_EQ(g_menu.at.y, 200);
    EXPECT_EQ(text_of_item(IDC_TO), "someone@docomo.ne.jp") << "the picked item arrives as its command";
    g_menu.pick = 0;
    SendMessageW(item(IDC_HISTORY_MENU), WM_RBUTTONUP, 0, 0);
    EXPECT_EQ(g_menu.count, 2);
    SendMessageW(item(IDC_HISTORY_MENU), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(item(IDC_HISTORY_MENU), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(g_menu.count, 3);
}

TEST_F(MailHistory, AddingAsksForTheDisplayNameSplitAtTheFirstSpace) {
    open();
    click(IDC_MODE_MAIL);
    EXPECT_EQ(to_list(), (std::vector<std::string>{""})) << "an empty history shows one empty item";
    add("taro@example.jp 山田 太郎");
    ASSERT_EQ(dialogs(), 1);
    EXPECT_EQ(g_add.caption, "メールアドレスを履歴に追加");
    EXPECT_EQ(g_add.address, "taro@example.jp");
    EXPECT_EQ(g_add.displayName, "山田 太郎");
    EXPECT_TRUE(g_add.readOnlyAddress);
    EXPECT_TRUE(g_add.nameHasFocus);
    RECT window;
    GetWindowRect(main_window(), &window);
    EXPECT_EQ(g_add.place.left, window.left + 405);
    EXPECT_EQ(g_add.place.top, window.top + 210);
    EXPECT_EQ(to_list(), (std::vector<std::string>{"taro@example.jp 山田 太郎", ""}));
    EXPECT_EQ(stored(1), sjis("taro@example.jp 山田 太郎"));
    EXPECT_EQ(text_of_item(IDC_TO), "taro@example.jp 山田 太郎") << "the To field keeps its text";
    EXPECT_EQ(shown_messages().count, 0);
}

TEST_F(MailHistory, TheHistoryOutlivesTheWindow) {
    open();
    g_add.typeName = "Taro";
    add("taro@example.jp");
    close_window(true);
    EXPECT_NE(settings_file_text().find("usrmailv1=\"taro@example.jp Taro\""), std::string::npos);
    open();
    EXPECT_EQ(to_list(), (std::vector<std::string>{"taro@example.jp Taro"}));
}

TEST_F(MailHistory, TheDialogsNameIsStoredAndASecondAddMovesTheEntryUp) {
    open();
    click(IDC_MODE_MAIL);
    g_add.typeName = "Hanako";
    add("hanako@example.jp");
    EXPECT_EQ(g_add.displayName, "") << "no space: the whole text is the address";
    EXPECT_EQ(stored(1), "hanako@example.jp Hanako");
    g_add.typeName = nullptr;
    add("jiro@example.jp");
    EXPECT_EQ(stored(1), "jiro@example.jp");
    EXPECT_EQ(stored(2), "hanako@example.jp Hanako");
    add("hanako@example.jp H. Sato");
    EXPECT_EQ(to_list(), (std::vector<std::string>{"hanako@example.jp H. Sato", "jiro@example.jp", ""}));
    EXPECT_EQ(stored(1), "hanako@example.jp H. Sato");
    EXPECT_EQ(stored(2), "jiro@example.jp");
    EXPECT_EQ(stored(3), "");
    EXPECT_EQ(text_of_item(IDC_TO), "hanako@example.jp H. Sato") << "the list selects the moved entry";
}

TEST_F(MailHistory, CancelAndAnEmptyAddressAddNothing) {
    open();
    click(IDC_MODE_MAIL);
    g_add.button = IDCANCEL;
    add("nobody@example.jp");
    EXPECT_EQ(dialogs(), 1);
    EXPECT_EQ(stored(1), "");
    EXPECT_EQ(to_list().size(), 1u);
    add(" name only");
    EXPECT_EQ(dialogs(), 1) << "no address: no dialog";
}

TEST_F(MailHistory, AFullHistoryAsksBeforeDroppingTheOldest) {
    std::string lines;
    for (int32_t entry = 1; entry <= 30; ++entry) {
        std::string n = std::to_string(entry);
        lines += "usrmailv" + n + "=\"u" + n + "@example.jp\"\n";
    }
    write_settings(lines.c_str());
    open();
    click(IDC_MODE_MAIL);
    ASSERT_EQ(to_list().size(), 30u);
    set_message_answer(IDNO);
    add("new@example.jp");
    EXPECT_EQ(shown_messages().count, 1);
    EXPECT_EQ(shown_messages().caption, "delete old e-mail address");
    EXPECT_EQ(shown_messages().text, "一番古い履歴 [u30@example.jp] が削除されます。\nよろしいですか。");
    EXPECT_EQ(shown_messages().flags, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(stored(1), "u1@example.jp") << "No changes nothing";
    EXPECT_EQ(to_list()[0], "u1@example.jp");
    set_message_answer(IDYES);
    add("new@example.jp");
    std::vector<std::string> list = to_list();
    ASSERT_EQ(list.size(), 30u);
    EXPECT_EQ(list[0], "new@example.jp");
    EXPECT_EQ(list[29], "u29@example.jp");
    EXPECT_EQ(stored(1), "new@example.jp");
    EXPECT_EQ(stored(30), "u29@example.jp");
}

TEST_F(MailHistory, RemovingNeedsTheWholeEntry) {
    write_settings("usrmailv1=\"a@example.jp Alpha\"\nusrmailv2=\"b@example.jp\"\n");
    open();
    click(IDC_MODE_MAIL);
    EXPECT_EQ(to_list(), (std::vector<std::string>{"a@example.jp Alpha", "b@example.jp"}));
    set_text(IDC_TO, "a@example.jp");
    command(IDM_HISTORY_REMOVE);
    EXPECT_EQ(to_list().size(), 2u) << "the address alone is not the entry";
    set_text(IDC_TO, "a@example.jp Alpha");
    command(IDM_HISTORY_REMOVE);
    EXPECT_EQ(to_list(), (std::vector<std::string>{"b@example.jp"}));
    EXPECT_EQ(stored(1), "b@example.jp");
    EXPECT_EQ(stored(2), "");
    EXPECT_EQ(text_of_item(IDC_TO), "a@example.jp Alpha");
    EXPECT_EQ(shown_messages().count, 0);
}

TEST_F(MailHistory, DomainsCompleteOrReplaceTheDomainPart) {
    open();
    click(IDC_MODE_MAIL);
    set_text(IDC_TO, "user");
    command(IDM_DOMAIN_FIRST + 7);
    EXPECT_EQ(text_of_item(IDC_TO), "user@gmail.com");
    command(IDM_DOMAIN_FIRST + 1);
    EXPECT_EQ(text_of_item(IDC_TO), "user@ezweb.ne.jp");
}

TEST_F(MailHistory, StoredEntriesGoIntoTheToField) {
    write_settings("usrmailv1=\"first@example.jp\"\nusrmailv5=\"fifth@example.jp Five\"\n");
    open();
    command(IDM_STORED_MAIL_FIRST + 4);
    EXPECT_EQ(text_of_item(IDC_TO), "fifth@example.jp Five");
    command(IDM_STORED_MAIL_FIRST);
    EXPECT_EQ(text_of_item(IDC_TO), "first@example.jp");
    command(IDM_STORED_MAIL_FIRST + 1);
    EXPECT_EQ(text_of_item(IDC_TO), "");
}

}  // namespace
