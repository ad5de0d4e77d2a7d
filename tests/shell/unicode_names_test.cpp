// Names and texts outside code page 932 in the window: files saved, opened,
// dropped and named on the command line under exactly the name given (the
// program's own folder has such a name too, see shell_support.cpp); failed
// saves and opens that say so; typed characters that reach a UTF-8 symbol
// exactly or are named when a Shift_JIS target replaces them; the session
// kept at the end of a Windows session.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "pipeline/generation.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell.h"
#include "tests/shell/shell_support.h"

namespace {

const char kEveryKind[] = "Café Zoë ¥500 한국어 张三 😀 𠮷";

class UnicodeNames : public ::testing::Test {
protected:
    void SetUp() override {
        fresh_settings();
        clear_code_list();
        open_window();
        folder_ = test_files_folder("ünïcode-한-😀");
    }
    void TearDown() override { close_window(); }

    void generate(const char* text) {
        set_text(IDC_TEXT, text);
        click(IDC_CREATE);
        ASSERT_TRUE(wait_for_generation());
    }

    std::string folder_;
};

std::string code_text(int32_t index) {
    static CodeSlot code;
    if (read_code(index, &code) != 0) return "";
    return code.text;
}

TEST_F(UnicodeNames, BitmapsAreWrittenUnderTheNameGiven) {
    generate("HELLO");
    for (const char* name : {"😀", "𠮷", "café", "Zoë.bmp"}) {
        answer_file_dialogs((folder_ + name).c_str());
        command(IDM_SAVE_BMP);
        std::string written = folder_ + name + (std::strstr(name, ".bmp") ? "" : ".bmp");
        EXPECT_EQ(file_bytes(written).substr(0, 2), "BM") << written;
    }
    EXPECT_FALSE(file_exists(folder_ + "cafe.bmp")) << "no best-fit name";
    EXPECT_FALSE(file_exists(folder_ + "Zoe.bmp"));
    EXPECT_FALSE(file_exists(folder_ + "?.bmp"));
    EXPECT_EQ(shown_messages().count, 0);

    set_message_answer(IDNO);
    answer_file_dialogs((folder_ + "café").c_str());
    command(IDM_SAVE_BMP);
    EXPECT_EQ(shown_messages().text, "café.bmp は既に存在します。\n上書きしますか。") << "the name exactly";
}

TEST_F(UnicodeNames, DocumentsAreSavedAndOpenedUnderTheNameGiven) {
    for (const char* name : {"Café", "메모.txt", "𠮷野"}) {
        set_text(IDC_TEXT, name);
        answer_file_dialogs((folder_ + name).c_str(), 0);
        command(IDM_TEXT_SAVE);
    }
    EXPECT_FALSE(file_exists(folder_ + "Cafe.txt"));
    set_text(IDC_TEXT, "changed");
    answer_file_dialogs((folder_ + "Café.txt").c_str());
    command(IDM_OPEN_TEXT);
    EXPECT_EQ(text_of_item(IDC_TEXT), "Cafe") << "the document's text is Shift_JIS (after a question); its name is not";
    answer_file_dialogs((folder_ + "메모.txt").c_str());
    command(IDM_OPEN_TEXT);
    EXPECT_NE(file_bytes(folder_ + "메모.txt").find("< Text >"), std::string::npos);
    EXPECT_EQ(shown_messages().count, 3) << "each text with characters Shift_JIS lacks asked before it was written";
    EXPECT_NE(shown_messages().text.find(": U+20BB7\n"), std::string::npos) << shown_messages().text;
}

TEST_F(UnicodeNames, DroppedAndCommandLineDocumentsAreReadFromTheirNames) {
    write_file(folder_ + "Zoë.txt", sjis("< Text >\r\nfrom the named file\r\n"));
    write_file(folder_ + "Zoe.txt", sjis("< Text >\r\nthe decoy\r\n"));
    drop_files({folder_ + "Zoë.txt"});
    EXPECT_EQ(text_of_item(IDC_TEXT), "from the named file");
    close_window();
    set_start_document((folder_ + "Zoë.txt").c_str());
    open_window();
    EXPECT_EQ(text_of_item(IDC_TEXT), "from the named file");
}

TEST_F(UnicodeNames, AFailedSaveSaysWhichFileAndKeepsTheOldOne) {
    generate("HELLO");
    // A folder of that name: the file system refuses the file, as it would
    // a protected one.
    const std::string kept = folder_ + "메모.txt";
    test_files_folder("ünïcode-한-😀\\메모.txt");
    write_file(kept + "\\inside", "old bytes");
    set_message_answer(IDYES);
    answer_file_dialogs(kept.c_str(), 0);
    command(IDM_TEXT_SAVE);
    EXPECT_EQ(shown_messages().caption, "File Error");
    EXPECT_EQ(shown_messages().text.rfind(kept + " を保存できませんでした。\n\n", 0), 0u) << shown_messages().text;
    EXPECT_EQ(file_bytes(kept + "\\inside"), "old bytes");

    int32_t before = shown_messages().count;
    answer_file_dialogs((folder_ + "없는 폴더\\😀").c_str());
    command(IDM_SAVE_BMP);
    EXPECT_EQ(shown_messages().count, before + 1);
    EXPECT_EQ(shown_messages().text.rfind(folder_ + "없는 폴더\\😀.bmp を保存できませんでした。", 0), 0u);
}

TEST_F(UnicodeNames, AnUnreadableDocumentSaysSo) {
    answer_file_dialogs((folder_ + "없음.txt").c_str());
    command(IDM_OPEN_TEXT);
    EXPECT_EQ(shown_messages().caption, "File Error");
    EXPECT_EQ(shown_messages().text.rfind(folder_ + "없음.txt を開けませんでした。", 0), 0u);

    close_window();
    write_file(test_app_folder() + "resume.txt", sjis("< Text >\r\nthe last session\r\n"));
    set_start_document((folder_ + "없음.txt").c_str());
    open_window();
    EXPECT_EQ(shown_messages().text.rfind(folder_ + "없음.txt を開けませんでした。", 0), 0u);
    EXPECT_EQ(text_of_item(IDC_TEXT), "the last session") << "the last session is not lost";
}

TEST_F(UnicodeNames, TheUtf8TargetCarriesEveryCharacterExactly) {
    choose_item(IDC_ENCODING, 3);   // UTF-8
    generate(kEveryKind);
    ASSERT_EQ(code_count(), 1);
    EXPECT_EQ(code_text(0), kEveryKind);
    EXPECT_EQ(status_text(2), "");
}

TEST_F(UnicodeNames, AShiftJisTargetNamesTheCharactersItReplaces) {
    generate("한 and 张 ¥");
    EXPECT_EQ(code_text(0), sjis("? and ? ¥")) << "Windows' conversion, its best fit for ¥ kept";
    EXPECT_NE(status_text(2).find("U+D55C U+5F20"), std::string::npos) << status_text(2);
    RECT note = {};
    SendMessageW(status_bar(), SB_GETRECT, 2, reinterpret_cast<LPARAM>(&note));
    EXPECT_GE(note.right - note.left, 300) << "the note is seen";
    generate("plain");
    EXPECT_EQ(status_text(2), "");
    SendMessageW(status_bar(), SB_GETRECT, 2, reinterpret_cast<LPARAM>(&note));
    EXPECT_LE(note.right - note.left, 4) << "an empty third part takes no room";

    set_text(IDC_TEXT, "한");
    set_message_answer(IDNO);
    answer_file_dialogs((folder_ + "lost").c_str(), 0);
    command(IDM_TEXT_SAVE);
    EXPECT_NE(shown_messages().text.find("U+D55C"), std::string::npos);
    EXPECT_FALSE(file_exists(folder_ + "lost.txt")) << "No writes nothing";
}

TEST(EndOfSession, KeepsTheFormAndTheSettingsOnce) {
    fresh_settings();
    open_window();
    set_text(IDC_TEXT, "typed before the shutdown");
    click(IDC_MODE_MAIL);
    SendMessageW(main_window(), WM_QUERYENDSESSION, 0, 0);
    SendMessageW(main_window(), WM_ENDSESSION, TRUE, 0);
    EXPECT_NE(file_bytes(test_app_folder() + "resume.txt").find("typed before the shutdown"), std::string::npos);
    EXPECT_NE(settings_file_text().find("mode=1"), std::string::npos) << settings_file_text();
    set_text(IDC_TEXT, "after it");
    close_window(true);
    EXPECT_EQ(file_bytes(test_app_folder() + "resume.txt").find("after it"), std::string::npos)
        << "the session was kept once";
}

}  // namespace
