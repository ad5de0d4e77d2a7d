// The image file types of "BMPを保存" and "全てのBMPを保存": each type
// writes its own format under its own extension, exactly the file the
// command-line tool writes for the same code and size; the replace question
// names the file of the type chosen; the type is remembered across a
// restart.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "output/output.h"
#include "pipeline/generation.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell.h"
#include "tests/shell/shell_support.h"

namespace {

const char* const kFormats[kImageKindCount] = {"bmp", "png", "svg"};

class ImageTypes : public ::testing::Test {
protected:
    void SetUp() override {
        fresh_settings();
        clear_code_list();
        open_window();
        folder_ = test_files_folder("image-types");
    }
    void TearDown() override { close_window(); }

    void generate(const char* text, int32_t step) {
        set_text(IDC_TEXT, text);
        click(IDC_CREATE);
        ASSERT_TRUE(wait_for_generation());
        SendMessageW(item(IDC_SIZE_SLIDER), TBM_SETPOS, TRUE, step);
    }

    std::string folder_;
};

// What `mivoka encode` writes for the text at the size step in a format.
std::string tool_file(const std::string& folder, const char* text, int32_t step, const char* format) {
    std::string path = folder + "tool." + format;
    char arguments[512];
    std::snprintf(arguments, sizeof arguments, "encode --text %s --size %d --format %s -o \"%s\"", text, step, format,
                  path.c_str());
    EXPECT_EQ(run_tool(arguments), 0) << arguments;
    return file_bytes(path);
}

TEST_F(ImageTypes, EachTypeWritesTheToolsFileUnderItsExtension) {
    generate("HELLO", 2);
    const char* const kWritten[kImageKindCount] = {"qr.bmp", "qr.png", "qr.svg"};
    const char* const kStarts[kImageKindCount] = {"BM", "\x89PNG\r\n\x1a\n", "<?xml"};
    for (int32_t kind = 0; kind < kImageKindCount; ++kind) {
        choose_file_type(kind);
        answer_file_dialogs((folder_ + "qr").c_str());
        command(IDM_SAVE_BMP);
        std::string saved = file_bytes(folder_ + kWritten[kind]);
        EXPECT_EQ(saved.compare(0, std::strlen(kStarts[kind]), kStarts[kind]), 0) << kWritten[kind];
        EXPECT_TRUE(saved == tool_file(folder_, "HELLO", 2, kFormats[kind])) << kWritten[kind];
        EXPECT_EQ(int_setting(SettingSaveImageType), kind);
    }
    const ShownFileDialog& d = shown_file_dialogs();
    EXPECT_EQ(d.filter, (std::vector<std::string>{"BMPファイル (*.bmp)", "*.bmp", "PNGファイル (*.png)", "*.png",
                                                  "SVGファイル (*.svg)", "*.svg"}));
    EXPECT_EQ(d.offeredType, ImagePng) << "the type chosen last is offered";
    EXPECT_EQ(shown_messages().count, 0) << "no file existed";

    // The extension follows the type, not the name typed.
    choose_file_type(ImagePng);
    answer_file_dialogs((folder_ + "named.bmp").c_str());
    command(IDM_SAVE_BMP);
    EXPECT_TRUE(file_bytes(folder_ + "named.bmp.png") == tool_file(folder_, "HELLO", 2, "png"));
    EXPECT_FALSE(file_exists(folder_ + "named.bmp"));
}

// The question names the file of the type chosen, and No keeps it.
TEST_F(ImageTypes, TheReplaceQuestionNamesTheTypesFile) {
    generate("HELLO", 1);
    write_file(folder_ + "qr.png", "an older picture");
    write_file(folder_ + "qr.bmp", "an older bitmap");
    choose_file_type(ImagePng);
    set_message_answer(IDNO);
    answer_file_dialogs((folder_ + "qr").c_str());
    command(IDM_SAVE_BMP);
    EXPECT_EQ(shown_messages().count, 1);
    EXPECT_EQ(shown_messages().text, "qr.png は既に存在します。\n上書きしますか。");
    EXPECT_EQ(file_bytes(folder_ + "qr.png"), "an older picture");

    choose_file_type(ImageSvg);
    answer_file_dialogs((folder_ + "qr").c_str());
    command(IDM_SAVE_BMP);
    EXPECT_EQ(shown_messages().count, 1) << "qr.svg did not exist: no question";
    EXPECT_NE(file_bytes(folder_ + "qr.svg").find("<svg"), std::string::npos);
    EXPECT_EQ(file_bytes(folder_ + "qr.bmp"), "an older bitmap");
}

TEST_F(ImageTypes, SavingAllKeepsTheTypesExtensionInEveryName) {
    const char kThreeCodes[] = "first\r\n[split]\r\nsecond\r\n[split]\r\nthird";
    generate(kThreeCodes, 1);
    choose_file_type(ImagePng);
    answer_file_dialogs((folder_ + "qr").c_str(), 3);
    command(IDM_SAVE_ALL_BMP);
    for (const char* name : {"qr-01.png", "qr-02.png", "qr-03.png"}) {
        EXPECT_EQ(file_bytes(folder_ + name).compare(0, 4, "\x89PNG"), 0) << name;
    }
    EXPECT_FALSE(file_exists(folder_ + "qr-01.bmp"));
    // The second code is the tool's second code.
    write_file(folder_ + "three.txt", kThreeCodes);
    std::string path = folder_ + "all.png";
    ASSERT_EQ(run_tool("encode --text-file \"" + folder_ + "three.txt\" --code 2 --size 1 -o \"" + path + "\""), 0);
    EXPECT_TRUE(file_bytes(folder_ + "qr-02.png") == file_bytes(path));
    EXPECT_EQ(int_setting(SettingSaveImageType), ImagePng);
}

TEST_F(ImageTypes, TheTypeChosenIsRememberedAcrossARestart) {
    generate("HELLO", 1);
    choose_file_type(ImageSvg);
    answer_file_dialogs((folder_ + "kept").c_str());
    command(IDM_SAVE_BMP);
    close_window(true);
    EXPECT_NE(settings_file_text().find("saveimagetype=2"), std::string::npos);
    open_window();
    generate("HELLO", 1);
    answer_file_dialogs((folder_ + "again").c_str());
    command(IDM_SAVE_BMP);
    EXPECT_EQ(shown_file_dialogs().offeredType, ImageSvg);
    EXPECT_TRUE(file_exists(folder_ + "again.svg"));

    // Cancelling keeps the type stored.
    choose_file_type(ImageBmp);
    cancel_file_dialogs();
    command(IDM_SAVE_BMP);
    EXPECT_EQ(int_setting(SettingSaveImageType), ImageSvg);
}

}  // namespace
