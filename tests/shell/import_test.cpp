// The Outlook import from the menu: its file dialog, the import panel in
// address mode, stepping through the records with the spin (one record a
// step, kept within the records) and clearing them; and its messages.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "persistence/outlook_import.h"
#include "pipeline/generation.h"
#include "resources/resource.h"
#include "shell/shell.h"
#include "tests/shell/shell_support.h"

namespace {

const int32_t kPanel[] = {IDC_IMPORT_GROUP, IDC_IMPORT_SPIN, IDC_IMPORT_CLEAR};

// Four contacts, one line without a name among them.
std::string contacts() {
    return sjis("表示名,フリガナ,携帯電話,電子メール アドレス,誕生日\r\n"
                "鈴木 一郎,スズキ イチロウ,090-1,a@b.jp,19900102\r\n"
                ",,,,\r\n"
                "佐藤 花子,,080-2,,\r\n"
                "田中 次郎,,070-3,c@d.jp,\r\n");
}

class Import : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = test_files_folder("import");
        write_file(folder_ + "contacts.csv", contacts());
        clear_import_records();   // none left from an earlier window of this program
        g_import = ImportState{};  // the state a started program has, before its spin exists
        fresh_settings();
        open_window();
    }
    void TearDown() override {
        cancel_file_dialogs();
        close_window();
    }
    void import(const std::string& name) {
        answer_file_dialogs(name.c_str());
        command(IDM_IMPORT);
    }
    std::string folder_;
};

bool panel_visible() {
    bool all = true;
    for (int32_t id : kPanel) all = all && visible(id);
    return all;
}

bool panel_hidden() {
    for (int32_t id : kPanel) {
        if (visible(id)) return false;
    }
    return true;
}

// The spin's end of a click at position: the up-down tells its parent so.
void spin_to(int32_t position) {
    SendMessageW(item(IDC_IMPORT_SPIN), UDM_SETPOS32, 0, position);
    SendMessageW(main_form(), WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0),
                 reinterpret_cast<LPARAM>(item(IDC_IMPORT_SPIN)));
}

TEST_F(Import, TheMenuOpensTheCsvDialogAndShowsTheFirstRecord) {
    import(folder_ + "contacts.csv");
    ASSERT_EQ(shown_file_dialogs().count, 1);
    EXPECT_FALSE(shown_file_dialogs().save);
    EXPECT_EQ(shown_file_dialogs().title, "Outlookのエクスポートファイルを開く");
    EXPECT_EQ(shown_file_dialogs().filter, (std::vector<std::string>{"Outlook エクスポートファイル (*.csv)", "*.csv"}));
    EXPECT_EQ(shown_file_dialogs().flags, 0u);
    EXPECT_EQ(shown_file_dialogs().panelTemplate, 0);
    EXPECT_EQ(shown_messages().count, 0);
    EXPECT_TRUE(checked(IDC_MODE_ADDRESS));
    EXPECT_FALSE(checked(IDC_MODE_TEXT));
    EXPECT_TRUE(panel_visible());
    const struct {
        int32_t id;
        const char* text;
    } first[] = {{IDC_NAME, "鈴木 一郎"}, {IDC_FURIGANA, "スズキ イチロウ"}, {IDC_PHONE1, "090-1"},
                 {IDC_PHONE2, ""},        {IDC_MAIL1, "a@b.jp"},            {IDC_BIRTHDAY, "1990/01/02"}};
    for (const auto& field : first) EXPECT_EQ(text_of_item(field.id), field.text) << field.id;
    EXPECT_EQ(text_of_item(IDC_IMPORT_CLEAR), "Outlookのインポート\nデータをクリア");
}

// UTF-8 with its address mode on: the imported records become the
// smartphone contact, as the tool makes it from the same file.
TEST_F(Import, RecordsBecomeSmartphoneContactsForUtf8) {
    close_window();
    write_settings("carrier=4\nutf8forms=1\n");
    open_window();
    import(folder_ + "contacts.csv");
    EXPECT_TRUE(checked(IDC_MODE_ADDRESS));
    EXPECT_TRUE(panel_visible());
    click(IDC_CREATE);
    ASSERT_TRUE(wait_for_generation());
    CodeSlot code;
    ASSERT_EQ(read_code(0, &code), 0);
    EXPECT_STREQ(code.text, "MECARD:N:鈴木 一郎;SOUND:スズキ イチロウ;TEL:090-1;EMAIL:a@b.jp;BDAY:19900102;;");
    spin_to(520);
    spin_to(521);
    click(IDC_CREATE);
    ASSERT_TRUE(wait_for_generation());
    ASSERT_EQ(read_code(0, &code), 0);
    EXPECT_STREQ(code.text, "MECARD:N:田中 次郎;TEL:070-3;EMAIL:c@d.jp;;");
}

TEST_F(Import, ThePanelShowsOnlyInAddressMode) {
    import(folder_ + "contacts.csv");
    click(IDC_MODE_MAIL);
    EXPECT_TRUE(panel_hidden());
    click(IDC_MODE_ADDRESS);
    EXPECT_TRUE(panel_visible());
}

TEST_F(Import, TheFirstClickBackStepsBack) {
    import(folder_ + "contacts.csv");
    spin_to(499);   // "back" from where the spin stands after creation
    EXPECT_EQ(text_of_item(IDC_NAME), "鈴木 一郎") << "the first record stays";
    spin_to(500);
    EXPECT_EQ(text_of_item(IDC_NAME), "佐藤 花子");
    click(IDC_IMPORT_CLEAR);
    spin_to(600);   // moved while nothing is imported: no step
    import(folder_ + "contacts.csv");
    spin_to(599);
    EXPECT_EQ(text_of_item(IDC_NAME), "鈴木 一郎") << "the import takes the spin's position";
    spin_to(600);
    EXPECT_EQ(text_of_item(IDC_NAME), "佐藤 花子");
}

TEST_F(Import, TheSpinStepsOneRecordAndStaysWithinTheRecords) {
    import(folder_ + "contacts.csv");
    spin_to(520);   // a jump still moves one record
    EXPECT_EQ(text_of_item(IDC_NAME), "佐藤 花子") << "the nameless line was dropped";
    EXPECT_EQ(text_of_item(IDC_MAIL1), "");
    EXPECT_EQ(text_of_item(IDC_BIRTHDAY), "") << "no birthday empties the field";
    spin_to(521);
    EXPECT_EQ(text_of_item(IDC_NAME), "田中 次郎");
    spin_to(522);
    EXPECT_EQ(text_of_item(IDC_NAME), "田中 次郎") << "the last record stays";
    spin_to(521);
    EXPECT_EQ(text_of_item(IDC_NAME), "佐藤 花子");
    spin_to(521);
    EXPECT_EQ(text_of_item(IDC_NAME), "鈴木 一郎") << "an unchanged position steps back";
    spin_to(500);
    EXPECT_EQ(text_of_item(IDC_NAME), "鈴木 一郎") << "the first record stays";
    EXPECT_EQ(g_import.current, 1);
}

TEST_F(Import, ClearEmptiesTheRecordsAndTheFieldsAndHidesThePanel) {
    import(folder_ + "contacts.csv");
    click(IDC_AUTO);   // automatic generation follows the emptied fields
    ASSERT_TRUE(pump_until([] { return code_count() == 1; }, 3000));
    click(IDC_IMPORT_CLEAR);
    EXPECT_TRUE(panel_hidden());
    EXPECT_FALSE(g_import.inEffect);
    EXPECT_EQ(ImportRecords[1].fields[ImportName][0], '\0');
    for (int32_t id : {IDC_NAME, IDC_FURIGANA, IDC_PHONE1, IDC_MAIL1, IDC_BIRTHDAY}) {
        EXPECT_EQ(text_of_item(id), "") << id;
    }
    EXPECT_TRUE(pump_until([] { return code_count() == 0; }, 3000)) << "the codes of the record go with it";
    click(IDC_MODE_TEXT);
    click(IDC_MODE_ADDRESS);
    EXPECT_TRUE(panel_hidden());
    spin_to(600);
    EXPECT_EQ(text_of_item(IDC_NAME), "");
}

TEST_F(Import, AFileWithoutKnownColumnsSaysImportErrorUnlessAnImportStands) {
    write_file(folder_ + "other.csv", "alpha,beta\r\n1,2\r\n");
    import(folder_ + "other.csv");
    EXPECT_EQ(shown_messages().count, 1);
    EXPECT_EQ(shown_messages().caption, "Import Error");
    EXPECT_EQ(shown_messages().text, "アドレスはインポートされませんでした。");
    EXPECT_EQ(shown_messages().flags & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_TRUE(checked(IDC_MODE_TEXT));
    EXPECT_TRUE(panel_hidden());
    import(folder_ + "contacts.csv");
    import(folder_ + "other.csv");
    EXPECT_EQ(shown_messages().count, 1) << "the earlier import is still in effect";
}

TEST_F(Import, ANameNotEndingInCsvOrCancelDoesNothing) {
    write_file(folder_ + "contacts.txt", file_bytes(folder_ + "contacts.csv"));
    import(folder_ + "contacts.txt");
    cancel_file_dialogs();
    command(IDM_IMPORT);
    EXPECT_EQ(shown_file_dialogs().count, 2);
    EXPECT_EQ(shown_messages().count, 0);
    EXPECT_TRUE(checked(IDC_MODE_TEXT));
    EXPECT_FALSE(g_import.inEffect);
    import(folder_ + "CONTACTS.CSV");
    EXPECT_TRUE(g_import.inEffect) << "the ending's case does not matter";
}

}  // namespace
