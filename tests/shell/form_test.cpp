// The main form: the three modes and the fields each shows, the encoding
// selector with the UTF-8 target forcing text mode, the layout at several
// window sizes, the Tab ring and the birthday wheel.
#include <gtest/gtest.h>

#include <vector>

#include "payload/payload.h"
#include "pipeline/generation.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell.h"
#include "tests/shell/shell_support.h"

namespace {

class Form : public ::testing::Test {
protected:
    void SetUp() override {
        fresh_settings();
        open_window();
    }
    void TearDown() override { close_window(); }
};

const int32_t kTextControls[] = {IDC_TEXT, IDC_SPLIT, IDC_SPLIT_KEY_LABEL};
const int32_t kMailControls[] = {IDC_TO_LABEL, IDC_TO, IDC_SUBJECT_LABEL, IDC_SUBJECT, IDC_BODY_LABEL, IDC_BODY,
                                 IDC_HISTORY_MENU};
const int32_t kAddressCommon[] = {IDC_NAME, IDC_FURIGANA, IDC_PHONE1, IDC_PHONE2, IDC_PHONE3,
                                  IDC_MAIL1, IDC_MAIL2, IDC_MAIL3, IDC_NOTE};
const int32_t kAuAndDocomo[] = {IDC_POSTAL, IDC_POSTAL_LABEL};
const int32_t kDocomoOnly[] = {IDC_BIRTHDAY, IDC_BIRTHDAY_LABEL, IDC_WHEEL_ARROW, IDC_WHEEL_NOTE, IDC_WEB,
                               IDC_WEB_LABEL};

template <size_t N>
void expect_visible(const int32_t (&ids)[N], bool shown) {
    for (int32_t id : ids) EXPECT_EQ(visible(id), shown) << "control " << id;
}

int32_t width_of(int32_t id) {
    RECT r;
    GetWindowRect(item(id), &r);
    return r.right - r.left;
}

void resize_window(int32_t width, int32_t height) {
    SetWindowPos(main_window(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    pump_for(30);
}

TEST_F(Form, EachModeShowsItsOwnFields) {
    expect_visible(kTextControls, true);
    expect_visible(kMailControls, false);
    click(IDC_MODE_MAIL);
    EXPECT_EQ(int_setting(SettingMode), 1);
    expect_visible(kTextControls, false);
    expect_visible(kMailControls, true);
    expect_visible(kAddressCommon, false);
    click(IDC_MODE_ADDRESS);
    expect_visible(kMailControls, false);
    expect_visible(kAddressCommon, true);
    expect_visible(kDocomoOnly, true);   // docomo is the default target
    EXPECT_FALSE(visible(IDC_IMPORT_GROUP));
    click(IDC_MODE_TEXT);
    expect_visible(kTextControls, true);
    expect_visible(kAddressCommon, false);
}

TEST_F(Form, AddressFieldsDependOnTheCarrier) {
    click(IDC_MODE_ADDRESS);
    choose_item(IDC_ENCODING, 2);   // softbank
    EXPECT_EQ(int_setting(SettingCarrier), 1);
    expect_visible(kAddressCommon, true);
    expect_visible(kAuAndDocomo, false);
    expect_visible(kDocomoOnly, false);
    choose_item(IDC_ENCODING, 1);   // au
    expect_visible(kAuAndDocomo, true);
    expect_visible(kDocomoOnly, false);
    choose_item(IDC_ENCODING, 0);   // docomo
    expect_visible(kAuAndDocomo, true);
    expect_visible(kDocomoOnly, true);
}

TEST_F(Form, Utf8TargetForcesTextModeAndHidesTheOtherModes) {
    click(IDC_MODE_MAIL);
    choose_item(IDC_ENCODING, 3);
    EXPECT_EQ(int_setting(SettingCarrier), 4);
    EXPECT_TRUE(checked(IDC_MODE_TEXT));
    EXPECT_FALSE(checked(IDC_MODE_MAIL));
    EXPECT_EQ(int_setting(SettingMode), 0);
    EXPECT_FALSE(visible(IDC_MODE_MAIL));
    EXPECT_FALSE(visible(IDC_MODE_ADDRESS));
    expect_visible(kTextControls, true);
    command(IDM_NEXT_MODE);   // Alt+Right does nothing under UTF-8
    EXPECT_EQ(int_setting(SettingMode), 0);
    choose_item(IDC_ENCODING, 0);
    EXPECT_TRUE(visible(IDC_MODE_MAIL));
    EXPECT_TRUE(visible(IDC_MODE_ADDRESS));
    EXPECT_EQ(int_setting(SettingMode), 0);
    EXPECT_TRUE(checked(IDC_MODE_TEXT));
}

TEST_F(Form, EncodingChangeGeneratesAtOnce) {
    set_text(IDC_TEXT, "abc");
    choose_item(IDC_ENCODING, 3);
    ASSERT_TRUE(wait_for_generation());
    int32_t count = 0, current = 0;
    read_code_count(&count, &current);
    EXPECT_EQ(count, 1);
}

TEST_F(Form, AltArrowsStepThroughTheModesWithoutWrapping) {
    press_key(VK_LEFT, VK_MENU);
    EXPECT_EQ(int_setting(SettingMode), 0);
    press_key(VK_RIGHT, VK_MENU);
    EXPECT_EQ(int_setting(SettingMode), 1);
    EXPECT_TRUE(checked(IDC_MODE_MAIL));
    press_key(VK_RIGHT, VK_MENU);
    EXPECT_EQ(int_setting(SettingMode), 2);
    press_key(VK_RIGHT, VK_MENU);
    EXPECT_EQ(int_setting(SettingMode), 2);
    EXPECT_TRUE(checked(IDC_MODE_ADDRESS));
    press_key(VK_LEFT, VK_MENU);
    EXPECT_EQ(int_setting(SettingMode), 1);
}

TEST_F(Form, LayoutFollowsTheWindowWidthDownTo780) {
    resize_window(1000, 700);
    EXPECT_EQ(width_of(IDC_TEXT), 530);
    resize_window(700, 600);
    EXPECT_EQ(width_of(IDC_TEXT), 780 - 470);
    click(IDC_MODE_MAIL);
    resize_window(1000, 700);
    EXPECT_EQ(width_of(IDC_BODY), 1000 - 555);
    EXPECT_EQ(width_of(IDC_SUBJECT), 1000 - 555);
}

RECT rect_in_form(int32_t id) {
    RECT r;
    GetWindowRect(item(id), &r);
    MapWindowPoints(nullptr, main_form(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The template's controls sit where the form's font puts them on Windows
// (1.5 pixels a dialog unit), so the view switch stays right under the
// preview frame and inside the form at the 590-pixel start height.
TEST_F(Form, ViewSwitchSitsUnderThePreviewFrameAtTheStartHeight) {
    resize_window(780, 590);
    RECT frame = rect_in_form(IDC_PREVIEW_FRAME);
    RECT button = rect_in_form(IDC_CODE_VIEW_BUTTON);
    EXPECT_EQ(frame.bottom, 447);
    EXPECT_NEAR(button.top, 298 * 3 / 2, 1);
    EXPECT_NEAR(button.bottom - button.top, 13 * 3 / 2, 1);
    RECT form;
    GetClientRect(main_form(), &form);
    EXPECT_LE(button.bottom, form.bottom);
    EXPECT_EQ(rect_in_form(IDC_TEXT_VIEW_BUTTON).top, button.top);
}

// Labels the form's font must show whole: the text's extent in the
// control's own font against the room its client area leaves.
SIZE text_extent(HWND control, const wchar_t* text, UINT format, int32_t width) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT r = {0, 0, width, 0};
    DrawTextW(dc, text, -1, &r, format | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {r.right - r.left, r.bottom - r.top};
}

int32_t line_height(HWND control) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return metrics.tmHeight;
}

TEST_F(Form, TheLevelIndicatorShowsEveryLevelWhole) {
    RECT client;
    GetClientRect(item(IDC_LEVEL), &client);
    for (const wchar_t* label : {L"L (7%)", L"M (15%)", L"Q (25%)", L"H (30%)"}) {
        SIZE size = text_extent(item(IDC_LEVEL), label, DT_SINGLELINE, 0);
        EXPECT_LE(size.cx, client.right) << "level label " << label;
        EXPECT_LE(size.cy, client.bottom);
    }
}

// The clear button of the import panel: its two lines, each whole on one
// line (the button's edge and the text margins, 3 pixels a side, taken off),
// and the frame around the panel holding it.
TEST_F(Form, TheImportClearButtonShowsItsTwoLinesInsideTheFrame) {
    HWND button = item(IDC_IMPORT_CLEAR);
    RECT client;
    GetClientRect(button, &client);
    const int32_t margin = 3;
    SIZE size = text_extent(button, L"Outlookのインポート\nデータをクリア", DT_WORDBREAK, client.right - 2 * margin);
    EXPECT_EQ(size.cy, 2 * line_height(button)) << "two lines, none broken";
    EXPECT_LE(size.cx, client.right - 2 * margin);
    EXPECT_LE(size.cy, client.bottom - 2 * margin);
    EXPECT_GT(3 * line_height(button), client.bottom - 2 * margin) << "no room for a third line";
    RECT frame = rect_in_form(IDC_IMPORT_GROUP), clear = rect_in_form(IDC_IMPORT_CLEAR),
         spin = rect_in_form(IDC_IMPORT_SPIN);
    for (const RECT& inner : {clear, spin}) {
        EXPECT_GT(inner.left, frame.left);
        EXPECT_LT(inner.right, frame.right);
        EXPECT_GT(inner.top, frame.top);
        EXPECT_LT(inner.bottom, frame.bottom);
    }
    EXPECT_LT(frame.bottom, rect_in_form(IDC_NAME).top) << "the frame stays above the address fields";
}

TEST_F(Form, TabRingWrapsAroundTheModesFields) {
    click(IDC_MODE_ADDRESS);
    SetFocus(item(IDC_WEB));
    press_key(VK_TAB, 0);
    EXPECT_EQ(GetFocus(), item(IDC_MODE_ADDRESS));
    press_key(VK_TAB, VK_SHIFT);
    EXPECT_EQ(GetFocus(), item(IDC_WEB));
    SetFocus(item(IDC_NAME));
    press_key(VK_TAB, 0);
    EXPECT_EQ(GetFocus(), item(IDC_FURIGANA));
    press_key(VK_TAB, VK_SHIFT);
    press_key(VK_TAB, VK_SHIFT);
    // Hidden and disabled places are skipped: the name field follows "区切り"
    // only through visible controls of this mode.
    EXPECT_NE(GetFocus(), item(IDC_TEXT));
}

TEST_F(Form, WheelStepsTheBirthday) {
    click(IDC_MODE_ADDRESS);
    set_text(IDC_BIRTHDAY, "2000/02/28");
    SetFocus(item(IDC_BIRTHDAY));
    SendMessageW(item(IDC_BIRTHDAY), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(text_of_item(IDC_BIRTHDAY), "2000/02/29");
    SendMessageW(item(IDC_BIRTHDAY), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(text_of_item(IDC_BIRTHDAY), "2000/03/01");
    SendMessageW(item(IDC_BIRTHDAY), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(text_of_item(IDC_BIRTHDAY), "2000/02/29");
    set_text(IDC_BIRTHDAY, "");
    SendMessageW(item(IDC_BIRTHDAY), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(text_of_item(IDC_BIRTHDAY), "1990/01/02");
    // A wheel turned over another part of the window reaches the field too.
    SendMessageW(main_window(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(text_of_item(IDC_BIRTHDAY), "1990/01/01");
    SendMessageW(item(IDC_BIRTHDAY), WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, WHEEL_DELTA), 0);
    EXPECT_EQ(text_of_item(IDC_BIRTHDAY), "1990/02/01") << "Shift steps by month";
}

TEST_F(Form, WheelLeavesTheBirthdayAloneWithoutTheFocus) {
    click(IDC_MODE_ADDRESS);
    set_text(IDC_BIRTHDAY, "2000/02/28");
    SetFocus(item(IDC_NAME));
    SendMessageW(main_window(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    SendMessageW(item(IDC_BIRTHDAY), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(text_of_item(IDC_BIRTHDAY), "2000/02/28");
}

TEST_F(Form, ClearInMailModeLeavesTheTextAlone) {
    set_text(IDC_TEXT, "kept");
    click(IDC_MODE_MAIL);
    set_text(IDC_TO, "a@example.com");
    set_text(IDC_SUBJECT, "subject");
    set_text(IDC_BODY, "body");
    click(IDC_CLEAR);
    EXPECT_EQ(text_of_item(IDC_TO), "");
    EXPECT_EQ(text_of_item(IDC_SUBJECT), "");
    EXPECT_EQ(text_of_item(IDC_BODY), "");
    EXPECT_EQ(text_of_item(IDC_TEXT), "kept");
}

}  // namespace

namespace {

TEST(FormAtStartUp, StoredUtf8TargetOpensInTextMode) {
    fresh_settings();
    write_settings("mode=1\r\ncarrier=4\r\n");
    open_window();
    EXPECT_EQ(SendMessageW(item(IDC_ENCODING), CB_GETCURSEL, 0, 0), 3);
    EXPECT_TRUE(checked(IDC_MODE_TEXT));
    EXPECT_EQ(int_setting(SettingMode), 0);
    EXPECT_TRUE(visible(IDC_TEXT));
    EXPECT_FALSE(visible(IDC_BODY));
    EXPECT_FALSE(visible(IDC_MODE_MAIL));
    close_window();
}

TEST(FormAtStartUp, StoredModeAndSoftbankTargetShowTheirFields) {
    fresh_settings();
    write_settings("mode=2\r\ncarrier=1\r\n");
    open_window();
    EXPECT_EQ(SendMessageW(item(IDC_ENCODING), CB_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(checked(IDC_MODE_ADDRESS));
    EXPECT_TRUE(visible(IDC_NAME));
    EXPECT_FALSE(visible(IDC_POSTAL));
    EXPECT_FALSE(visible(IDC_BIRTHDAY));
    EXPECT_FALSE(visible(IDC_TEXT));
    close_window();
}

}  // namespace

namespace {

// Tab from the text field through the whole ring back to it; every place
// visited once, in reading order.
std::vector<int32_t> tab_ring_from(int32_t start) {
    SetFocus(item(start));
    std::vector<int32_t> seen;
    for (int32_t i = 0; i < 80; ++i) {
        press_key(VK_TAB, 0);
        HWND focus = GetFocus();
        while (focus != nullptr && GetParent(focus) != main_form()) focus = GetParent(focus);
        int32_t id = focus == nullptr ? 0 : GetDlgCtrlID(focus);
        if (id == start) break;
        seen.push_back(id);
    }
    return seen;
}

TEST(FormKeyboard, TabReachesTheEncodingBoxTheHistoryAndTheImportPanel) {
    fresh_settings();
    write_settings("histemojid1=1\r\nhistemojid2=2\r\n");
    open_window();
    std::vector<int32_t> ring = tab_ring_from(IDC_TEXT);
    auto place = [&](int32_t id) {
        for (size_t i = 0; i < ring.size(); ++i) {
            if (ring[i] == id) return static_cast<int32_t>(i);
        }
        return -1;
    };
    ASSERT_GE(place(IDC_MODE_TEXT), 0) << "the ring wraps to the mode radio";
    EXPECT_EQ(place(IDC_ENCODING), place(IDC_MODE_TEXT) + 1);
    EXPECT_EQ(place(IDC_EMOJI), place(IDC_ENCODING) + 1);
    EXPECT_GT(place(IDC_MARGIN), place(IDC_EMOJI));
    EXPECT_EQ(place(IDC_HISTORY_LABEL_FIRST), place(IDC_EMOJI) + 1) << "the history's labels and pictures";
    EXPECT_EQ(place(IDC_HISTORY_PICTURE_FIRST), place(IDC_EMOJI) + 2);
    EXPECT_EQ(place(IDC_HISTORY_PICTURE_FIRST + 1), place(IDC_EMOJI) + 4);
    EXPECT_EQ(place(IDC_HISTORY_PICTURE_FIRST + 2), -1) << "an empty entry is hidden";
    EXPECT_EQ(place(IDC_TEXT_VIEW_BUTTON) + 1, place(IDC_SPLIT));
    EXPECT_EQ(ring.back(), IDC_SPLIT) << "then the text field again";
    // Shift+Tab walks the same ring backwards.
    SetFocus(item(IDC_ENCODING));
    press_key(VK_TAB, VK_SHIFT);
    EXPECT_EQ(GetFocus(), item(IDC_MODE_TEXT));
    // The encoding box by keys alone: au, the second item.
    SetFocus(item(IDC_ENCODING));
    SendMessageW(item(IDC_ENCODING), CB_SETCURSEL, 1, 0);
    SendMessageW(main_form(), WM_COMMAND, MAKEWPARAM(IDC_ENCODING, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(item(IDC_ENCODING)));
    EXPECT_EQ(int_setting(SettingCarrier), Au);
    close_window();
}

}  // namespace

namespace {

TEST(FormKeyboard, ArrowsMoveWithinTheModeRadios) {
    fresh_settings();
    open_window();
    SetFocus(item(IDC_MODE_TEXT));
    press_key(VK_RIGHT, 0);
    EXPECT_EQ(GetFocus(), item(IDC_MODE_MAIL));
    EXPECT_TRUE(checked(IDC_MODE_MAIL));
    EXPECT_EQ(int_setting(SettingMode), 1);
    press_key(VK_DOWN, 0);
    EXPECT_EQ(int_setting(SettingMode), 2);
    press_key(VK_DOWN, 0);
    EXPECT_EQ(int_setting(SettingMode), 2) << "no wrap past the last mode";
    press_key(VK_LEFT, 0);
    press_key(VK_UP, 0);
    EXPECT_EQ(GetFocus(), item(IDC_MODE_TEXT));
    EXPECT_EQ(int_setting(SettingMode), 0);
    EXPECT_TRUE(visible(IDC_TEXT));
    close_window();
}

}  // namespace
