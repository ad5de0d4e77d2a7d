// The generation on screen: typing into the text field, the create button
// and automatic generation, the indicators during and after multi-code
// generations, navigation, "クリア", the split mark and the preview.
#include <gtest/gtest.h>

#include "pipeline/generation.h"
#include "resources/resource.h"
#include "shell/shell.h"
#include "tests/shell/shell_support.h"

namespace {

class GenerationScreen : public ::testing::Test {
protected:
    void SetUp() override {
        fresh_settings();
        open_window();
    }
    void TearDown() override { close_window(); }
};

std::string code_text(int32_t index) {
    char text[kCodeTextBytes];
    int32_t version = 0;
    return read_code_text(index, text, &version) == 0 ? std::string(text) : std::string("<none>");
}

const char kThreeCodes[] = "first\r\n[split]\r\nsecond\r\n[split]\r\nthird";

TEST_F(GenerationScreen, StartsManualWithNothingShown) {
    EXPECT_EQ(status_text(0), "[manual] ◇　QRコード手動作成　◇");
    EXPECT_TRUE(visible(IDC_CREATE));
    EXPECT_FALSE(visible(IDC_CREATE_AUTO));
    EXPECT_FALSE(enabled(IDC_UP));
    EXPECT_FALSE(enabled(IDC_DOWN));
    EXPECT_EQ(code_count(), 0);
    EXPECT_TRUE(checked(IDC_MODE_TEXT));
    EXPECT_TRUE(visible(IDC_TEXT));
}

TEST_F(GenerationScreen, CreateButtonMakesOneCodeAndShowsItsIndicators) {
    set_text(IDC_TEXT, "HELLO WORLD");
    pump_for(300);
    EXPECT_EQ(code_count(), 0) << "manual generation waits for the button";
    click(IDC_CREATE);
    ASSERT_TRUE(wait_for_generation());
    EXPECT_EQ(code_count(), 1);
    EXPECT_EQ(code_text(0), "HELLO WORLD");
    EXPECT_EQ(text_of_item(IDC_POSITION), " 1/ 1");
    EXPECT_EQ(text_of_item(IDC_LEVEL), "M (15%)");
    EXPECT_EQ(status_text(1), "1型　11バイト");
    EXPECT_EQ(status_text(2), "");
    EXPECT_FALSE(enabled(IDC_UP));
    EXPECT_FALSE(enabled(IDC_DOWN));
}

TEST_F(GenerationScreen, PreviewPaintsTheSymbolAtTheSliderSize) {
    set_text(IDC_TEXT, "HELLO WORLD");
    click(IDC_CREATE);
    ASSERT_TRUE(wait_for_generation());
    // Size step 1 and margin 2: 2 pixels per module, the finder pattern's
    // dark ring from pixel 4, its light ring from pixel 6, white outside.
    EXPECT_EQ(preview_pixel(1, 1), 0xFFFFFFu);
    EXPECT_EQ(preview_pixel(4, 4), 0x000000u);
    EXPECT_EQ(preview_pixel(7, 7), 0xFFFFFFu);
    EXPECT_EQ(preview_pixel(9, 9), 0x000000u);
}

TEST_F(GenerationScreen, EmptyTextPaintsTheErrorAndEmptiesTheList) {
    set_text(IDC_TEXT, "HELLO");
    click(IDC_CREATE);
    ASSERT_TRUE(wait_for_generation());
    set_text(IDC_TEXT, "");
    click(IDC_CREATE);
    ASSERT_TRUE(wait_for_generation());
    EXPECT_EQ(code_count(), 0);
    EXPECT_EQ(generation_error(nullptr), 1);
    EXPECT_EQ(text_of_item(IDC_POSITION), " 0");
    EXPECT_EQ(text_of_item(IDC_LEVEL), "");
    // The message in red instead of a symbol.
    bool red = false;
    for (int32_t y = 10; y < 30 && !red; ++y) {
        for (int32_t x = 10; x < 120 && !red; ++x) red = preview_pixel(x, y) == 0x0000FFu;
    }
    EXPECT_TRUE(red);
}

TEST_F(GenerationScreen, MultiCodeGenerationEndsWithTheFullIndicator) {
    set_text(IDC_TEXT, kThreeCodes);
    click(IDC_CREATE);
    ASSERT_TRUE(wait_for_generation());
    EXPECT_EQ(code_count(), 3);
    EXPECT_EQ(code_text(0), "first");
    EXPECT_EQ(code_text(2), "third");
    EXPECT_EQ(text_of_item(IDC_POSITION), " 1/ 3");
    EXPECT_FALSE(enabled(IDC_UP));
    EXPECT_TRUE(enabled(IDC_DOWN));
}

TEST_F(GenerationScreen, UpAndDownStepThroughTheCodes) {
    set_text(IDC_TEXT, kThreeCodes);
    click(IDC_CREATE);
    ASSERT_TRUE(wait_for_generation());
    click(IDC_DOWN);
    EXPECT_EQ(text_of_item(IDC_POSITION), " 2/ 3");
    EXPECT_TRUE(enabled(IDC_UP));
    EXPECT_TRUE(enabled(IDC_DOWN));
    EXPECT_EQ(status_text(1), "1型　6バイト");
    click(IDC_DOWN);
    EXPECT_EQ(text_of_item(IDC_POSITION), " 3/ 3");
    EXPECT_FALSE(enabled(IDC_DOWN));
    EXPECT_EQ(status_text(1), "1型　5バイト");
    click(IDC_UP);
    click(IDC_UP);
    EXPECT_EQ(text_of_item(IDC_POSITION), " 1/ 3");
    EXPECT_FALSE(enabled(IDC_UP));
}

TEST_F(GenerationScreen, AutomaticGenerationFollowsTyping) {
    click(IDC_AUTO);
    EXPECT_EQ(status_text(0), "[auto] ◆　QRコード自動作成　◆");
    EXPECT_FALSE(visible(IDC_CREATE));
    EXPECT_TRUE(visible(IDC_CREATE_AUTO));
    set_text(IDC_TEXT, "typed");
    ASSERT_TRUE(pump_until([] { return code_count() == 1; }, 3000));
    ASSERT_TRUE(wait_for_generation());
    EXPECT_EQ(code_text(0), "typed");
    set_text(IDC_TEXT, "typed more");
    ASSERT_TRUE(pump_until([] { return code_text(0) == "typed more"; }, 3000));
    click(IDC_AUTO);
    EXPECT_EQ(status_text(0), "[manual] ◇　QRコード手動作成　◇");
    EXPECT_TRUE(visible(IDC_CREATE));
}

TEST_F(GenerationScreen, ClearEmptiesTheTextAndTheList) {
    set_text(IDC_TEXT, kThreeCodes);
    click(IDC_CREATE);
    ASSERT_TRUE(wait_for_generation());
    click(IDC_CLEAR);
    EXPECT_EQ(text_of_item(IDC_TEXT), "");
    EXPECT_EQ(code_count(), 0);
    EXPECT_EQ(text_of_item(IDC_POSITION), " 0");
    EXPECT_EQ(text_of_item(IDC_LEVEL), "");
    EXPECT_FALSE(enabled(IDC_UP));
    EXPECT_FALSE(enabled(IDC_DOWN));
    EXPECT_EQ(preview_pixel(4, 4), preview_pixel(300, 300)) << "no symbol until the next generation";
}

TEST_F(GenerationScreen, SplitButtonInsertsTheMarkAtTheCaret) {
    set_text(IDC_TEXT, "AB");
    SendMessageW(item(IDC_TEXT), EM_SETSEL, 1, 1);
    click(IDC_SPLIT);
    EXPECT_EQ(text_of_item(IDC_TEXT), "A\r\n[split]\r\nB");
    EXPECT_EQ(GetFocus(), item(IDC_TEXT));
    click(IDC_CREATE);
    ASSERT_TRUE(wait_for_generation());
    EXPECT_EQ(code_count(), 2);
}

TEST_F(GenerationScreen, CtrlEnterInsertsTheMarkOnlyInTheTextField) {
    set_text(IDC_TEXT, "AB");
    SetFocus(item(IDC_TEXT));
    SendMessageW(item(IDC_TEXT), EM_SETSEL, 2, 2);
    press_key(VK_RETURN, VK_CONTROL);
    EXPECT_EQ(text_of_item(IDC_TEXT), "AB\r\n[split]\r\n");
    SetFocus(item(IDC_CLEAR));
    press_key(VK_RETURN, VK_CONTROL);
    EXPECT_EQ(text_of_item(IDC_TEXT), "AB\r\n[split]\r\n");
}

TEST_F(GenerationScreen, TextDataViewShowsTheCodesText) {
    set_text(IDC_TEXT, "HELLO");
    click(IDC_CREATE);
    ASSERT_TRUE(wait_for_generation());
    click(IDC_TEXT_VIEW_BUTTON);
    EXPECT_TRUE(visible(IDC_TEXT_VIEW));
    EXPECT_FALSE(visible(IDC_PREVIEW));
    EXPECT_NE(text_of_item(IDC_TEXT_VIEW).find("HELLO"), std::string::npos);
    click(IDC_CODE_VIEW_BUTTON);
    EXPECT_FALSE(visible(IDC_TEXT_VIEW));
    EXPECT_TRUE(visible(IDC_PREVIEW));
}

TEST_F(GenerationScreen, DrawingControlsRepaintWithoutANewGeneration) {
    set_text(IDC_TEXT, "HELLO WORLD");
    click(IDC_CREATE);
    ASSERT_TRUE(wait_for_generation());
    Indicators before;
    read_indicators(&before);
    EXPECT_EQ(preview_pixel(1, 1), 0xFFFFFFu);
    choose_item(IDC_MARGIN, 0);   // the finder pattern moves to the corner
    pump_for(30);
    EXPECT_EQ(preview_pixel(1, 1), 0x000000u);
    choose_item(IDC_COLOUR, 6);   // red modules
    pump_for(30);
    EXPECT_EQ(preview_pixel(1, 1), 0x0000FFu);
    SendMessageW(item(IDC_SIZE_SLIDER), TBM_SETPOS, TRUE, 7);
    SendMessageW(main_form(), WM_HSCROLL, TB_ENDTRACK, reinterpret_cast<LPARAM>(item(IDC_SIZE_SLIDER)));
    pump_for(30);
    // 325 pixels for 21 modules: the corner module is 15 pixels wide.
    EXPECT_EQ(preview_pixel(14, 14), 0x0000FFu);
    Indicators after;
    read_indicators(&after);
    EXPECT_EQ(code_count(), 1);
    EXPECT_EQ(generation_cursor(), -1);
    EXPECT_EQ(std::string(after.position), std::string(before.position));
}

}  // namespace

namespace {

bool position_is(const char* utf8) { return text_of_item(IDC_POSITION) == utf8; }

class SlowPump : public ::testing::Test {
protected:
    void TearDown() override { close_window(); }
};

TEST_F(SlowPump, IndicatorsDuringAMultiCodeGenerationAtNormalSpeeds) {
    fresh_settings();
    write_settings("quick=2\r\n");   // 250 ms between passes: every step is seen
    open_window();
    set_text(IDC_TEXT, kThreeCodes);
    click(IDC_CREATE);
    ASSERT_TRUE(pump_until([] { return position_is(" 1/ 1"); }, 3000));
    EXPECT_FALSE(enabled(IDC_UP));
    EXPECT_FALSE(enabled(IDC_DOWN));
    ASSERT_TRUE(pump_until([] { return position_is(" 1/ 2"); }, 3000));
    ASSERT_TRUE(wait_for_generation());
    EXPECT_EQ(text_of_item(IDC_POSITION), " 1/ 3");
    EXPECT_TRUE(enabled(IDC_DOWN));
}

TEST_F(SlowPump, QuickSpeedShowsCreatingUntilTheEnd) {
    fresh_settings();
    write_settings("quick=0\r\n");
    open_window();
    set_text(IDC_TEXT, kThreeCodes);
    click(IDC_CREATE);
    ASSERT_TRUE(pump_until([] { return position_is("作成中.."); }, 3000));
    ASSERT_TRUE(wait_for_generation());
    EXPECT_EQ(text_of_item(IDC_POSITION), " 1/ 3");
}

}  // namespace

namespace {

TEST(MissingExternalEncoder, IsReportedOnceAndFailsTheCodesThatNeedIt) {
    fresh_settings();
    set_external_encoder_present(false);
    open_window();
    EXPECT_EQ(shown_messages().count, 1);
    EXPECT_EQ(shown_messages().text, "QR2DLL.DLLが読み込めません。");
    EXPECT_EQ(shown_messages().caption, "Cannot Load QR2DLL.DLL");
    set_text(IDC_TEXT, "HELLO");
    click(IDC_CREATE);
    EXPECT_TRUE(wait_for_generation());
    EXPECT_EQ(generation_error(nullptr), 6);
    EXPECT_EQ(code_count(), 0);
    EXPECT_EQ(shown_messages().count, 1);
    close_window();
    set_external_encoder_present(true);
}

}  // namespace
