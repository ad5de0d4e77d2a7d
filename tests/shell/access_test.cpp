// Names for screen readers and the keyboard: every owner-drawn button named
// by what it inserts (with a tooltip), every field after its label in the
// tab and z order (the recreated long fields too), the version box's links
// reached by Tab and opened with Enter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "emoji/win32/emoji_window.h"
#include "resources/resource.h"
#include "shell/shell.h"
#include "tests/shell/shell_support.h"

namespace {

class Access : public ::testing::Test {
protected:
    void SetUp() override { fresh_settings(); }
    void TearDown() override {
        set_dialog_handler(nullptr);
        close_emoji_palette();
        close_window();
    }
};

// Whether a tooltip window of the program holds a tool for button in parent.
bool has_tooltip(HWND parent, HWND button) {
    for (HWND tips = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); tips != nullptr;
         tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr)) {
        TTTOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = parent;
        tool.uId = reinterpret_cast<UINT_PTR>(button);
        if (SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) return true;
    }
    return false;
}

// The tooltip's text for a tool, as its owner supplies it.
std::string tooltip_text(HWND owner, HWND tool) {
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = nullptr;
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(tool);
    info.hdr.code = TTN_GETDISPINFOW;
    info.uFlags = TTF_IDISHWND;
    SendMessageW(owner, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    std::wstring wide = info.lpszText != nullptr ? info.lpszText : L"";
    std::string out;
    char bytes[256] = {};
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

TEST_F(Access, EveryPaletteButtonThatInsertsIsNamedByItsCode) {
    open_window();
    click(IDC_EMOJI);
    HWND palette = emoji_palette_window();
    ASSERT_NE(palette, nullptr);
    int32_t named = 0;
    for (int32_t id = IDC_PALETTE_FIRST; id <= IDC_PALETTE_LAST; ++id) {
        HWND button = GetDlgItem(palette, id);
        std::string name = text_of(button);
        EXPECT_EQ(IsWindowEnabled(button) != 0, !name.empty()) << id << ": a blank button is disabled, no other";
        if (!name.empty()) ++named;
        EXPECT_TRUE(has_tooltip(palette, button)) << id;
        EXPECT_EQ(tooltip_text(palette, button), name) << id;
    }
    EXPECT_GT(named, 60);
    // The name is what the click inserts.
    HWND first = nullptr;
    for (int32_t id = IDC_PALETTE_FIRST; id <= IDC_PALETTE_LAST && first == nullptr; ++id) {
        if (IsWindowEnabled(GetDlgItem(palette, id))) first = GetDlgItem(palette, id);
    }
    ASSERT_NE(first, nullptr);
    std::string name = text_of(first);
    set_text(IDC_TEXT, "");
    SendMessageW(first, BM_CLICK, 0, 0);
    pump_for(20);
    EXPECT_EQ(text_of_item(IDC_TEXT), name);
    // The history picture now shows it, named alike.
    EXPECT_TRUE(visible(IDC_HISTORY_PICTURE_FIRST));
    EXPECT_EQ(text_of_item(IDC_HISTORY_PICTURE_FIRST), name);
    EXPECT_EQ(tooltip_text(main_form(), item(IDC_HISTORY_PICTURE_FIRST)), name);
    for (int32_t id = IDC_HISTORY_PICTURE_FIRST; id <= IDC_HISTORY_PICTURE_LAST; ++id) {
        EXPECT_TRUE(has_tooltip(main_form(), item(id))) << id;
    }
}

// The control just before id in the z order: a label with text.
std::string label_before(int32_t id) {
    HWND previous = GetWindow(item(id), GW_HWNDPREV);
    wchar_t cls[32] = {};
    GetClassNameW(previous, cls, 32);
    if (previous == nullptr || lstrcmpiW(cls, L"Static") != 0) return "";
    return text_of(previous);
}

TEST_F(Access, EveryFieldFollowsItsLabelTheRecreatedLongFieldsToo) {
    open_window();
    const struct {
        int32_t field;
        const char* label;
    } kFields[] = {{IDC_TEXT, "テキスト"},     {IDC_TO, "宛先 (To)："},   {IDC_SUBJECT, "件名："},
                   {IDC_BODY, "本文："},       {IDC_NAME, "名前："},      {IDC_FURIGANA, "フリガナ："},
                   {IDC_PHONE1, "電話番号1："}, {IDC_MAIL1, "メール1："},   {IDC_NOTE, "個人データ："},
                   {IDC_POSTAL, "住所："},     {IDC_BIRTHDAY, "誕生日："}, {IDC_WEB, "Webページ："}};
    for (int round = 0; round < 2; ++round) {
        for (const auto& f : kFields) EXPECT_EQ(label_before(f.field), f.label) << f.field << " round " << round;
        command(IDM_WORD_WRAP);   // the two long fields are made again
        pump_for(20);
    }
    EXPECT_TRUE(visible(IDC_TEXT_LABEL));
    click(IDC_MODE_MAIL);
    EXPECT_FALSE(visible(IDC_TEXT_LABEL)) << "the text field's label goes with it";
}

struct LinkSeen {
    bool urlIsNextAfterOk;
    bool mailFollowsUrl;
    bool wantsEnter;
    int32_t opens;
    std::string target;
};
LinkSeen g_link;

void use_links_by_keys(HWND dialog) {
    HWND ok = GetDlgItem(dialog, IDOK), url = GetDlgItem(dialog, IDC_VERSION_URL);
    HWND mail = GetDlgItem(dialog, IDC_VERSION_MAIL);
    g_link.urlIsNextAfterOk = GetNextDlgTabItem(dialog, ok, FALSE) == url;
    g_link.mailFollowsUrl = GetNextDlgTabItem(dialog, url, FALSE) == mail;
    SetFocus(mail);
    MSG key = {mail, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    g_link.wantsEnter = (SendMessageW(mail, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&key)) &
                         DLGC_WANTMESSAGE) != 0;
    int32_t before = shell_opens().count;
    SendMessageW(mail, WM_KEYDOWN, VK_RETURN, 0);
    g_link.opens = shell_opens().count - before;
    g_link.target = shell_opens().target;
    press_dialog_button(dialog, IDOK);
}

TEST_F(Access, TheVersionBoxLinksTakeTheFocusAndOpenWithEnter) {
    open_window();
    g_link = {};
    set_dialog_handler(use_links_by_keys);
    command(IDM_VERSION);
    EXPECT_TRUE(g_link.urlIsNextAfterOk) << "Tab from OK reaches the web link";
    EXPECT_TRUE(g_link.mailFollowsUrl);
    EXPECT_TRUE(g_link.wantsEnter);
    EXPECT_EQ(g_link.opens, 1);
    EXPECT_EQ(g_link.target.rfind("mailto:", 0), 0u) << g_link.target;
}

// --- Enter and Escape in every dialog ----------------------------------------------------

// Presses a key in the dialog as the keyboard does: to the control with the
// focus, through the dialog's own message loop.
UINT g_key = 0;
std::vector<std::string> g_keyedDialogs;

void press_in_dialog(HWND dialog) {
    g_keyedDialogs.push_back(text_of(dialog));
    HWND focus = GetFocus();
    if (focus == nullptr || (focus != dialog && !IsChild(dialog, focus))) focus = dialog;
    PostMessageW(focus, WM_KEYDOWN, g_key, 1);
    PostMessageW(focus, WM_KEYUP, g_key, static_cast<LPARAM>(0xC0000001u));
}

// Every modal dialog closes on Enter (its default button) and on Escape
// (Cancel), and the emoji palette on Escape; nothing is left open for the
// test to close.
TEST_F(Access, EnterAndEscapeCloseEveryDialog) {
    open_window();
    set_text(IDC_TEXT, "dialogs");
    click(IDC_CREATE);
    ASSERT_TRUE(wait_for_generation());
    set_dialog_handler(press_in_dialog);
    for (UINT key : {static_cast<UINT>(VK_RETURN), static_cast<UINT>(VK_ESCAPE)}) {
        g_key = key;
        g_keyedDialogs.clear();
        int32_t before = shown_dialogs().count;
        click(IDC_MODE_TEXT);
        for (int32_t id : {IDM_VERSION, IDM_SAVE_DATA, IDM_OPTIONS, IDM_PRINT}) command(id);
        click(IDC_MODE_MAIL);
        set_text(IDC_TO, "taro@example.jp Taro");
        command(IDM_HISTORY_ADD);
        EXPECT_EQ(g_keyedDialogs.size(), 5u) << key;
        EXPECT_EQ(shown_dialogs().count - before, 5) << key;
        EXPECT_EQ(shown_dialogs().leftOpen, 0) << "a dialog did not close on key " << key;
    }
    set_dialog_handler(nullptr);
    click(IDC_EMOJI);
    pump_for(50);
    ASSERT_NE(emoji_palette_window(), nullptr);
    SetFocus(GetDlgItem(emoji_palette_window(), IDC_PALETTE_NEXT));
    press_key(VK_ESCAPE, 0);
    pump_for(50);
    EXPECT_EQ(emoji_palette_window(), nullptr) << "Escape closes the palette";
}

}  // namespace
