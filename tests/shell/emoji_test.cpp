// The emoji palette and the emoji history bar: the palette of each carrier,
// picks inserted at the caret and carried into the code as the carrier's
// bytes, the pin, the To field, and the history menu's commands with what
// they leave in the settings file for the next run.
#include <gtest/gtest.h>

#include "emoji/emoji.h"
#include "emoji/win32/emoji_window.h"
#include "pipeline/generation.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell.h"
#include "tests/shell/shell_support.h"

namespace {

class Emoji : public ::testing::Test {
protected:
    void SetUp() override { fresh_settings(); }
    void TearDown() override {
        set_dialog_handler(nullptr);
        close_window();
    }
};

HWND palette() { return emoji_palette_window(); }

std::string palette_text(int32_t id) { return text_of(GetDlgItem(palette(), id)); }

void pick(int32_t button) { press_dialog_button(palette(), IDC_PALETTE_FIRST + button); }

void close_palette_box() {
    SendMessageW(palette(), WM_CLOSE, 0, 0);
    pump_for(20);
}

std::string code_text(int32_t index) {
    char text[1010] = "";
    int32_t version = 0;
    return read_code_text(index, text, &version) == 0 ? std::string(text) : std::string("<none>");
}

std::string labels() {
    std::string shown;
    for (int32_t id = IDC_HISTORY_LABEL_FIRST; id <= IDC_HISTORY_LABEL_LAST; ++id) {
        if (!visible(id)) {
            shown += "-";
        } else {
            shown += text_of_item(id) == "■" ? "F" : "m";
        }
        EXPECT_EQ(visible(id), visible(id + IDC_HISTORY_PICTURE_FIRST - IDC_HISTORY_LABEL_FIRST)) << id;
    }
    return shown;
}

int32_t stored(const char* key) { return find_int_setting(key)->value; }

// The history menu of a label, read and dismissed, then a command as if picked.
void history_command(int32_t slot, int32_t commandId) {
    click(IDC_HISTORY_LABEL_FIRST + slot);
    pump_for(20);
    command(commandId);
    pump_for(20);
}

TEST_F(Emoji, EachCarrierOpensItsPaletteWithItsPages) {
    struct Row { int32_t item; const char* title; const char* lastPage; };
    const Row kRows[] = {{0, "***　docomo 絵文字　***", "4"},
                         {1, "***　au 絵文字　***", "8"},
                         {2, "***　softbank 絵文字　***", "6"},
                         {3, "***　Unicode絵文字　***", "7"}};
    open_window();
    int32_t before = shown_dialogs().count;
    EXPECT_TRUE(enabled(IDC_EMOJI));
    for (const Row& row : kRows) {
        choose_item(IDC_ENCODING, row.item);
        click(IDC_EMOJI);
        ASSERT_NE(palette(), nullptr) << row.title;
        EXPECT_EQ(text_of(palette()), row.title);
        EXPECT_EQ(palette_text(IDC_PALETTE_PAGE), "1");
        EXPECT_EQ(palette_text(IDC_PALETTE_PIN), "＝");
        press_dialog_button(palette(), IDC_PALETTE_PREVIOUS);
        EXPECT_EQ(palette_text(IDC_PALETTE_PAGE), row.lastPage) << row.title;
        press_dialog_button(palette(), IDC_PALETTE_NEXT);
        press_dialog_button(palette(), IDC_PALETTE_NEXT);
        EXPECT_EQ(palette_text(IDC_PALETTE_PAGE), "2");
        RECT window = {}, box = {};
        GetWindowRect(main_window(), &window);
        GetWindowRect(palette(), &box);
        EXPECT_EQ(box.left - window.left, 460);
        EXPECT_EQ(box.top - window.top, 120);
        close_palette_box();
        EXPECT_EQ(palette(), nullptr);
    }
    EXPECT_EQ(shown_dialogs().count, before) << "the modeless palette is not a modal dialog";
}

TEST_F(Emoji, PickInsertsAtTheCaretAndTheCodeCarriesTheCarriersBytes) {
    struct Row { int32_t item; int32_t button; const char* inserted; const char* payload; };
    const Row kRows[] = {{0, 2, "A[i9F]B", "A\xF8\x9F" "B"},
                         {1, 0, "A[@659]B", "A\xF6\x59" "B"},
                         {2, 0, "A[$G!]B", "A\x1B$G!\x0F" "B"},
                         {3, 0, "A[1F600]B", "A\xF0\x9F\x98\x80" "B"}};
    open_window();
    for (const Row& row : kRows) {
        choose_item(IDC_ENCODING, row.item);
        set_text(IDC_TEXT, "AB");
        SendMessageW(item(IDC_TEXT), EM_SETSEL, 1, 1);
        click(IDC_EMOJI);
        pick(row.button);
        EXPECT_EQ(text_of_item(IDC_TEXT), row.inserted);
        EXPECT_EQ(palette(), nullptr) << "the pin is off: the palette closes after a pick";
        EXPECT_EQ(GetFocus(), item(IDC_TEXT));
        EXPECT_EQ(labels(), "m----");
        click(IDC_CREATE);
        ASSERT_TRUE(wait_for_generation());
        EXPECT_EQ(code_text(0), row.payload) << row.inserted;
    }
    EXPECT_EQ(stored("histemojid1"), 1);
    EXPECT_EQ(stored("histemojia1"), 1);
    EXPECT_EQ(stored("histemojiv1"), 1);
    EXPECT_EQ(stored("histemojim1"), 1);
}

TEST_F(Emoji, BlankDocomoButtonDoesNothingAndThePinKeepsThePaletteOpen) {
    open_window();
    set_text(IDC_TEXT, "");
    click(IDC_EMOJI);
    pick(10);   // first button of the second row: blank on docomo
    EXPECT_EQ(text_of_item(IDC_TEXT), "");
    ASSERT_NE(palette(), nullptr);
    press_dialog_button(palette(), IDC_PALETTE_PIN);
    EXPECT_EQ(palette_text(IDC_PALETTE_PIN), "∥");
    EXPECT_EQ(int_setting(SettingStayEmojiDialog), 1);
    pick(2);
    pick(12);
    pick(2);
    EXPECT_EQ(text_of_item(IDC_TEXT), "[i9F][iA7][i9F]");
    ASSERT_NE(palette(), nullptr);
    EXPECT_EQ(labels(), "mm---");
    EXPECT_EQ(stored("histemojid1"), 1);
    EXPECT_EQ(stored("histemojid2"), 9);
    close_palette_box();
    EXPECT_EQ(palette(), nullptr);
    EXPECT_EQ(int_setting(SettingStayEmojiDialog), 1);
    click(IDC_EMOJI);
    ASSERT_NE(palette(), nullptr);
    EXPECT_EQ(palette_text(IDC_PALETTE_PIN), "∥");
    choose_item(IDC_ENCODING, 1);   // an encoding change closes it
    EXPECT_EQ(palette(), nullptr);
    EXPECT_EQ(labels(), "-----");
}

TEST_F(Emoji, ToFieldGetsTheEmojiAfterTheAddress) {
    write_settings("mode=1\r\nhistemojid1=1\r\n");
    open_window();
    set_text(IDC_TO, "a@example.jp");
    set_text(IDC_BODY, "body");
    SendMessageW(item(IDC_BODY), EM_SETSEL, 0, 0);
    click(IDC_HISTORY_PICTURE_FIRST);   // the body is the mail mode's main field
    EXPECT_EQ(text_of_item(IDC_BODY), "[i9F]body");
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    GetComboBoxInfo(item(IDC_TO), &info);
    SetFocus(info.hwndItem);
    SendMessageW(info.hwndItem, EM_SETSEL, 0, 0);
    pump_for(600);   // a pump tick samples the focus
    click(IDC_HISTORY_PICTURE_FIRST);
    EXPECT_EQ(text_of_item(IDC_TO), "a@example.jp[i9F]");
    EXPECT_EQ(labels(), "m----") << "a history click leaves the order alone";
}

TEST_F(Emoji, HistoryMenuCommandsChangeTheBarAndTheNextRun) {
    write_settings("histemojid1=1\r\nhistemojid2=2\r\nhistemojid3=3\r\nhistemojid4=4\r\nhistemojid5=5\r\n"
                   "fixhistnumd=2\r\n");
    open_window();
    EXPECT_EQ(labels(), "FFmmm");
    click(IDC_HISTORY_LABEL_FIRST + 2);
    pump_for(20);
    ASSERT_EQ(shown_popup_menus().count, 1);
    EXPECT_EQ(shown_popup_menus().ids.size(), 6u);
    EXPECT_NE(popup_item_state(IDM_EMOJI_LEFT) & MF_GRAYED, 0u) << "slot 2 is the first movable one";
    EXPECT_EQ(popup_item_state(IDM_EMOJI_RIGHT) & MF_GRAYED, 0u);
    EXPECT_EQ(popup_item_state(IDM_EMOJI_FIX) & MF_CHECKED, 0u);
    EXPECT_EQ(GetFocus(), item(IDC_HISTORY_PICTURE_FIRST + 2));
    command(IDM_EMOJI_FIX);   // becomes the last fixed entry, in place
    EXPECT_EQ(labels(), "FFFmm");
    history_command(0, IDM_EMOJI_RIGHT);
    history_command(3, IDM_EMOJI_LEFT);   // fixed with movable: refused
    EXPECT_EQ(shown_messages().caption, "cannot move items with different 'fix' flag");
    EXPECT_EQ(shown_messages().text, "固定の絵文字と、固定ではない絵文字の場所は入れ替えられません。");
    EXPECT_EQ(shown_messages().flags & MB_ICONWARNING, static_cast<UINT>(MB_ICONWARNING));
    set_message_answer(IDNO);
    history_command(4, IDM_EMOJI_DELETE);
    EXPECT_EQ(shown_messages().caption, "Remove?");
    EXPECT_EQ(shown_messages().text, "この絵文字を削除してもよいですか。");
    EXPECT_EQ(shown_messages().flags & (MB_YESNO | MB_ICONINFORMATION),
              static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION));
    EXPECT_EQ(labels(), "FFFmm");
    set_message_answer(IDYES);
    history_command(1, IDM_EMOJI_DELETE);
    EXPECT_EQ(labels(), "FFmm-");
    click(IDC_HISTORY_LABEL_FIRST + 1);
    pump_for(20);
    EXPECT_NE(popup_item_state(IDM_EMOJI_FIX) & MF_CHECKED, 0u);
    EXPECT_NE(popup_item_state(IDM_EMOJI_RIGHT) & MF_GRAYED, 0u) << "slot 1 is the last fixed one";
    close_window(true);
    std::string saved = settings_file_text();
    for (const char* line : {"histemojid1=2", "histemojid2=3", "histemojid3=4", "histemojid4=5", "histemojid5=0",
                             "fixhistnumd=2"}) {
        EXPECT_NE(saved.find(line), std::string::npos) << line;
    }
    open_window();
    EXPECT_EQ(labels(), "FFmm-");
}

void pick_tenth_docomo_emoji(HWND dialog) { press_dialog_button(dialog, IDC_PALETTE_FIRST + 12); }

TEST_F(Emoji, ChangeReplacesTheEntryInPlaceThroughAModalPalette) {
    write_settings("histemojid1=1\r\nhistemojid2=2\r\nhistemojid3=3\r\nfixhistnumd=1\r\n");
    open_window();
    set_dialog_handler(pick_tenth_docomo_emoji);
    set_text(IDC_TEXT, "");
    int32_t before = shown_dialogs().count;   // the first start's message included
    history_command(0, IDM_EMOJI_CHANGE);
    EXPECT_EQ(shown_dialogs().count, before + 1);
    EXPECT_EQ(shown_dialogs().caption, "***　docomo 絵文字　***");
    EXPECT_EQ(shown_dialogs().leftOpen, 0);
    EXPECT_EQ(labels(), "Fmm--");
    EXPECT_EQ(stored("histemojid1"), 9);
    EXPECT_EQ(stored("fixhistnumd"), 1);
    EXPECT_EQ(text_of_item(IDC_TEXT), "") << "a replacement inserts nothing";
}

TEST_F(Emoji, BarFollowsTheCarrierAndAClickOnTheFormClosesAnUnpinnedPalette) {
    write_settings("histemojid1=1\r\nhistemojia1=5\r\nhistemojia2=6\r\nfixhistnuma=2\r\nhistemojiv1=378\r\n");
    open_window();
    EXPECT_EQ(labels(), "m----");
    choose_item(IDC_ENCODING, 1);   // au
    EXPECT_EQ(labels(), "FF---");
    set_text(IDC_TEXT, "");
    click(IDC_HISTORY_PICTURE_FIRST + 1);
    EXPECT_EQ(text_of_item(IDC_TEXT), "[@74A]") << "au's sixth emoji";
    choose_item(IDC_ENCODING, 2);   // softbank: 378 has no softbank code
    EXPECT_EQ(labels(), "m----");
    click(IDC_HISTORY_PICTURE_FIRST);
    EXPECT_EQ(text_of_item(IDC_TEXT), "[@74A]");
    click(IDC_EMOJI);
    ASSERT_NE(palette(), nullptr);
    SendMessageW(main_window(), WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 0), reinterpret_cast<LPARAM>(palette()));
    EXPECT_EQ(palette(), nullptr);
}

// Every page's strip is in the program with one picture per image, and
// again drawn at twice the size for displays of 200 % and more.
TEST(EmojiStrips, EveryPageHasItsPicturesAtTwiceTheSize) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const EmojiPalette& palette : EmojiPalettes) {
        for (int32_t page = 0; page < palette.pages; ++page) {
            HBITMAP small = LoadBitmapW(instance, MAKEINTRESOURCEW(palette.firstBitmap + page));
            HBITMAP large = LoadBitmapW(instance, MAKEINTRESOURCEW(palette.firstBitmap + page + kLargeStripOffset));
            ASSERT_NE(small, nullptr) << palette.firstBitmap + page;
            ASSERT_NE(large, nullptr) << palette.firstBitmap + page + kLargeStripOffset;
            BITMAP s = {}, l = {};
            GetObjectW(small, sizeof s, &s);
            GetObjectW(large, sizeof l, &l);
            EXPECT_EQ(s.bmWidth, palette.stripImages[page] * palette.imageWidth) << palette.firstBitmap + page;
            EXPECT_EQ(s.bmHeight, palette.imageHeight);
            EXPECT_EQ(l.bmWidth, 2 * s.bmWidth) << palette.firstBitmap + page;
            EXPECT_EQ(l.bmHeight, 2 * s.bmHeight);
            DeleteObject(small);
            DeleteObject(large);
        }
    }
}

}  // namespace
