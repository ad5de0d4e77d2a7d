// The window's file commands: saving bitmaps (one, all under numbered names,
// the overwrite question, "No Data"), saving and opening text documents of
// each kind with the panels of the save dialogs, the shared name buffer,
// dropped files with the drop guard, the command-line document, the resume
// file across runs and the save-kind dialog.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstring>

#include "output/output.h"
#include "persistence/outlook_import.h"
#include "pipeline/generation.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell.h"
#include "shell/shell_state.h"
#include "tests/shell/shell_support.h"

namespace {

const char kThreeCodes[] = "first\r\n[split]\r\nsecond\r\n[split]\r\nthird";

class FileCommands : public ::testing::Test {
protected:
    void SetUp() override {
        fresh_settings();
        clear_code_list();   // none left from an earlier window of this program
        open_window();
        folder_ = test_files_folder("files");
    }
    void TearDown() override { close_window(); }

    void generate(const char* text) {
        set_text(IDC_TEXT, text);
        click(IDC_CREATE);
        ASSERT_TRUE(wait_for_generation());
    }

    std::string folder_;
};

UINT menu_state(int32_t id) { return GetMenuState(GetMenu(main_window()), id, MF_BYCOMMAND); }
bool button_enabled(int32_t id) { return SendMessageW(toolbar(), TB_ISBUTTONENABLED, id, 0) != 0; }

uint32_t le32(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
    return v;
}

// The side of the shown code's image at a size step, as the preview draws it.
int32_t shown_side(int32_t step) {
    CodeSlot code;
    read_code(0, &code);
    return image_side(code.version, int_setting(SettingDrawMargin), step, 1);
}

void expect_bitmap(const std::string& bytes, int32_t side, const char* name) {
    int32_t stride = raster_stride(side);
    ASSERT_EQ(bytes.size(), static_cast<size_t>(54 + stride * side)) << name;
    EXPECT_EQ(bytes.substr(0, 2), "BM") << name;
    EXPECT_EQ(le32(bytes, 2), static_cast<uint32_t>(54 + stride * side)) << name;
    EXPECT_EQ(le32(bytes, 10), 54u) << name;
    EXPECT_EQ(le32(bytes, 18), static_cast<uint32_t>(side)) << name;
    EXPECT_EQ(le32(bytes, 22), static_cast<uint32_t>(side)) << name;
    EXPECT_EQ(le32(bytes, 34), static_cast<uint32_t>(stride * side)) << name;
}

std::string document(const char* utf8) { return sjis(utf8); }

// --- Bitmaps -------------------------------------------------------------------------

TEST_F(FileCommands, MenuAndToolbarStatesFollowTheCodes) {
    for (int32_t id : {IDM_OPEN_TEXT, IDM_TEXT_SAVE, IDM_SAVE_BMP, IDM_RESUME}) {
        EXPECT_FALSE(menu_state(id) & MF_GRAYED) << id;
    }
    EXPECT_TRUE(button_enabled(IDM_OPEN_TEXT));
    EXPECT_TRUE(button_enabled(IDM_SAVE_DATA));
    EXPECT_TRUE(menu_state(IDM_SAVE_ALL_BMP) & MF_GRAYED);
    EXPECT_FALSE(button_enabled(IDM_SAVE_ALL_BMP));
    generate(kThreeCodes);
    EXPECT_FALSE(menu_state(IDM_SAVE_ALL_BMP) & MF_GRAYED) << "two or more codes";
    EXPECT_TRUE(button_enabled(IDM_SAVE_ALL_BMP));
    generate("one code");
    EXPECT_TRUE(menu_state(IDM_SAVE_ALL_BMP) & MF_GRAYED);
    EXPECT_FALSE(button_enabled(IDM_SAVE_ALL_BMP));
}

struct NameCase {
    const char* typed;
    const char* written;
};

TEST_F(FileCommands, SavingTheShownCodeAppendsBmpAndKeepsTheSliderSize) {
    generate("HELLO");
    SendMessageW(item(IDC_SIZE_SLIDER), TBM_SETPOS, TRUE, 2);
    const NameCase kNames[] = {{"qr", "qr.bmp"}, {"qr.BMP", "qr.BMP"}, {"qr.png", "qr.png.bmp"}, {"画像", "画像.bmp"}};
    for (const NameCase& c : kNames) {
        answer_file_dialogs((folder_ + c.typed).c_str());
        command(IDM_SAVE_BMP);
        expect_bitmap(file_bytes(folder_ + c.written), shown_side(2), c.typed);
    }
    EXPECT_FALSE(file_exists(folder_ + "qr.png")) << "qr.png gets .bmp appended";
    EXPECT_EQ(int_setting(SettingSliderPos), 2);
    const ShownFileDialog& d = shown_file_dialogs();
    EXPECT_TRUE(d.save);
    EXPECT_EQ(d.title, "BMPを保存");
    EXPECT_EQ(d.filter, (std::vector<std::string>{"BMPファイル (*.bmp)", "*.bmp", "PNGファイル (*.png)", "*.png",
                                                  "SVGファイル (*.svg)", "*.svg"}));
    EXPECT_EQ(d.panelTemplate, 0);
    EXPECT_EQ(d.owner, main_window()) << "the top-level window, disabled while the dialog is up";
    EXPECT_EQ(shown_messages().count, 1) << "only qr.BMP existed: it is qr.bmp, names ignore case";
    EXPECT_EQ(shown_messages().text, "qr.BMP は既に存在します。\n上書きしますか。");
}

// --- Replacing a file: asked about the name written ---------------------------------------------

void expect_replace_question(const char* caption, const char* name) {
    EXPECT_EQ(shown_messages().caption, caption);
    EXPECT_EQ(shown_messages().text, std::string(name) + " は既に存在します。\n上書きしますか。");
    EXPECT_EQ(shown_messages().flags, static_cast<UINT>(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2));
}

TEST_F(FileCommands, SavingTheShownCodeAsksBeforeReplacingTheBmpFile) {
    generate("HELLO");
    const std::string old = "an older bitmap";
    write_file(folder_ + "qr.bmp", old);
    write_file(folder_ + "qr", old);   // what the system's own prompt would have asked about
    set_message_answer(IDNO);
    answer_file_dialogs((folder_ + "qr").c_str());
    command(IDM_SAVE_BMP);
    EXPECT_EQ(shown_messages().count, 1);
    expect_replace_question("BMPを保存", "qr.bmp");
    EXPECT_EQ(file_bytes(folder_ + "qr.bmp"), old) << "No leaves the file byte for byte";
    EXPECT_EQ(file_bytes(folder_ + "qr"), old);
    EXPECT_EQ(shown_file_dialogs().refusals, 1) << "No keeps the dialog open";
    EXPECT_EQ(shown_file_dialogs().keptName, folder_ + "qr") << "with the name as typed";

    answer_file_dialogs((folder_ + "qr").c_str());
    retype_after_refusal((folder_ + "other").c_str());
    command(IDM_SAVE_BMP);
    EXPECT_EQ(shown_messages().count, 2);
    EXPECT_EQ(file_bytes(folder_ + "qr.bmp"), old);
    expect_bitmap(file_bytes(folder_ + "other.bmp"), shown_side(int_setting(SettingSliderPos)), "other.bmp");
    EXPECT_EQ(shown_messages().count, 2) << "a name that does not exist is not asked about";

    set_message_answer(IDYES);
    answer_file_dialogs((folder_ + "qr").c_str());
    command(IDM_SAVE_BMP);
    EXPECT_EQ(shown_messages().count, 3);
    expect_bitmap(file_bytes(folder_ + "qr.bmp"), shown_side(int_setting(SettingSliderPos)), "qr.bmp");
    EXPECT_EQ(file_bytes(folder_ + "qr"), old);
    EXPECT_EQ(shown_file_dialogs().refusals, 2);
}

TEST_F(FileCommands, TheBitmapHoldsTheImageWithItsQuietZone) {
    generate("HELLO");
    SendMessageW(item(IDC_SIZE_SLIDER), TBM_SETPOS, TRUE, 0);
    answer_file_dialogs((folder_ + "qr.bmp").c_str());
    command(IDM_SAVE_BMP);
    std::string bytes = file_bytes(folder_ + "qr.bmp");
    int32_t side = shown_side(0);
    expect_bitmap(bytes, side, "qr.bmp");
    ASSERT_GT(int_setting(SettingDrawMargin), 0);
    // Bottom row first: the first and last rows are quiet zone, white.
    int32_t stride = raster_stride(side);
    EXPECT_EQ(bytes.substr(54, 3 * side), std::string(3 * side, '\xFF'));
    EXPECT_EQ(bytes.substr(54 + stride * (side - 1), 3 * side), std::string(3 * side, '\xFF'));
    int32_t dark = 0;
    for (int32_t row = 0; row < side; ++row) {
        for (int32_t x = 0; x < side; ++x) dark += bytes.substr(54 + row * stride + 3 * x, 3) == std::string(3, '\0');
    }
    EXPECT_GT(dark, 0) << "black modules";
}

struct StyleCase {
    int32_t style;
    const char* names[3];
};

TEST_F(FileCommands, SavingAllWritesNumberedNamesInTheChosenStyle) {
    generate(kThreeCodes);
    SendMessageW(item(IDC_SIZE_SLIDER), TBM_SETPOS, TRUE, 1);
    const StyleCase kStyles[] = {{3, {"qr-01.bmp", "qr-02.bmp", "qr-03.bmp"}},
                                 {2, {"(01)qr.bmp", "(02)qr.bmp", "(03)qr.bmp"}},
                                 {5, {"qr(01).bmp", "qr(02).bmp", "qr(03).bmp"}},
                                 {0, {"01-qr.bmp", "02-qr.bmp", "03-qr.bmp"}}};
    int32_t stored = 3;   // "addprepost" by default
    for (const StyleCase& c : kStyles) {
        answer_file_dialogs((folder_ + "qr").c_str(), c.style);
        command(IDM_SAVE_ALL_BMP);
        EXPECT_EQ(shown_file_dialogs().listSelection, stored) << "the list opens on the stored style";
        EXPECT_EQ(int_setting(SettingAddPrePost), c.style);
        stored = c.style;
        for (int32_t k = 0; k < 3; ++k) {
            CodeSlot code;
            read_code(k, &code);
            int32_t side = image_side(code.version, int_setting(SettingDrawMargin), 1, 1);
            expect_bitmap(file_bytes(folder_ + c.names[k]), side, c.names[k]);
        }
    }
    EXPECT_FALSE(file_exists(folder_ + "qr.bmp"));
    EXPECT_EQ(shown_messages().count, 0) << "no file existed, no question";
    const ShownFileDialog& d = shown_file_dialogs();
    EXPECT_EQ(d.title, "全てのBMPを保存");
    EXPECT_EQ(d.filter, (std::vector<std::string>{"BMPファイル (*.bmp)", "*.bmp", "PNGファイル (*.png)", "*.png",
                                                  "SVGファイル (*.svg)", "*.svg"}));
    EXPECT_EQ(d.panelTemplate, IDD_NUMBERING_PANEL);
    EXPECT_EQ(d.panelLabel, "付加する連番文字");
    EXPECT_EQ(d.listId, IDC_NUMBERING_LIST);
    EXPECT_EQ(d.listItems, (std::vector<std::string>{"先頭に 01- 02- を付ける", "先頭に 01_ 02_ を付ける",
                                                     "先頭に (01) (02) を付ける", "後ろに -01 -02 を付ける",
                                                     "後ろに _01 _02 を付ける", "後ろに (01) (02) を付ける"}));
}

TEST_F(FileCommands, NumberedFilesThatExistAreQuestionedOnce) {
    generate(kThreeCodes);
    write_file(folder_ + "qr_01.bmp", "old");
    write_file(folder_ + "qr_02.bmp", "old");
    set_message_answer(IDNO);
    answer_file_dialogs((folder_ + "qr.bmp").c_str(), 4);
    command(IDM_SAVE_ALL_BMP);
    EXPECT_EQ(shown_messages().count, 1);
    EXPECT_EQ(shown_messages().text, "連番ファイルは既に存在します。\n上書きしますか。");
    EXPECT_EQ(shown_messages().caption, "");
    EXPECT_EQ(shown_messages().flags, static_cast<UINT>(MB_YESNO | MB_ICONWARNING));
    EXPECT_EQ(file_bytes(folder_ + "qr_01.bmp"), "old");
    EXPECT_EQ(file_bytes(folder_ + "qr_02.bmp"), "old");
    EXPECT_FALSE(file_exists(folder_ + "qr_03.bmp"));
    EXPECT_EQ(int_setting(SettingAddPrePost), 4) << "stored at confirmation although No wrote nothing";
    set_message_answer(IDYES);
    command(IDM_SAVE_ALL_BMP);
    EXPECT_EQ(shown_messages().count, 2) << "asked once more, not once per file";
    EXPECT_EQ(file_bytes(folder_ + "qr_01.bmp").substr(0, 2), "BM");
    EXPECT_EQ(file_bytes(folder_ + "qr_02.bmp").substr(0, 2), "BM");
    EXPECT_EQ(file_bytes(folder_ + "qr_03.bmp").substr(0, 2), "BM");
}

TEST_F(FileCommands, AnEmptyCodeListSaysNoDataAndOpensNoDialog) {
    for (int32_t id : {IDM_SAVE_BMP, IDM_SAVE_ALL_BMP}) {
        shown_messages() = {0, "", "", 0};
        dispatch_command(id);
        EXPECT_EQ(shown_messages().count, 1) << id;
        EXPECT_EQ(shown_messages().caption, "No Data");
        EXPECT_EQ(shown_messages().text, "保存するデータがありません。");
        EXPECT_EQ(shown_messages().flags, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    }
    press_key('S', VK_CONTROL);
    EXPECT_EQ(shown_messages().count, 2) << "Ctrl+S is the same command";
    EXPECT_EQ(shown_messages().caption, "No Data");
    EXPECT_EQ(shown_file_dialogs().count, 0);
}

TEST_F(FileCommands, CancellingSaveAllKeepsTheNumberingStyle) {
    generate(kThreeCodes);
    IntSettings[SettingAddPrePost].value = 7;   // used modulo 6
    cancel_file_dialogs(2);   // another style chosen, then Cancel
    command(IDM_SAVE_ALL_BMP);
    EXPECT_EQ(shown_file_dialogs().listSelection, 1);
    EXPECT_EQ(int_setting(SettingAddPrePost), 7);
    EXPECT_FALSE(file_exists(folder_ + "qr-01.bmp"));
    command(IDM_SAVE_BMP);
    EXPECT_EQ(shown_file_dialogs().count, 2);
    EXPECT_EQ(shown_messages().count, 0);
}

// --- Text documents ----------------------------------------------------------------------

void fill_every_mode() {
    set_text(IDC_TEXT, "一行目\r\n二行目");
    set_text(IDC_TO, "a@example.jp");
    set_text(IDC_SUBJECT, "件名");
    set_text(IDC_BODY, "本文\r\n\r\n終わり");
    set_text(IDC_NAME, "山田 太郎");
    set_text(IDC_WEB, "http://example.jp/");
}

const char kAllModes[] =
    "< Text >\r\n一行目\r\n二行目\r\n< Mail >\r\na@example.jp\r\n件名\r\n本文\r\n\r\n終わり\r\n"
    "< Address >\r\n山田 太郎\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nhttp://example.jp/\r\n";

TEST_F(FileCommands, SavingTextWritesTheChosenKindAndStoresIt) {
    fill_every_mode();
    answer_file_dialogs((folder_ + "all").c_str(), 0);
    command(IDM_TEXT_SAVE);
    EXPECT_EQ(file_bytes(folder_ + "all.txt"), document(kAllModes));
    EXPECT_EQ(int_setting(SettingSaveTextType), 0);
    const ShownFileDialog& d = shown_file_dialogs();
    EXPECT_TRUE(d.save);
    EXPECT_EQ(d.title, "テキストを保存");
    EXPECT_EQ(d.filter, (std::vector<std::string>{"テキストファイル (*.txt)", "*.txt"}));
    EXPECT_EQ(d.panelTemplate, IDD_TEXT_KIND_PANEL);
    EXPECT_EQ(d.panelLabel, "保存するテキスト");
    EXPECT_EQ(d.listId, IDC_TEXT_KIND_LIST);
    EXPECT_EQ(d.listItems,
              (std::vector<std::string>{"全てのモードのテキスト", "現在のモードのテキスト", "QRコード用テキスト"}));
    EXPECT_EQ(d.listSelection, 1) << "\"savetexttype\" by default";

    click(IDC_MODE_MAIL);
    answer_file_dialogs((folder_ + "mail.TXT").c_str(), 1);
    command(IDM_TEXT_SAVE);
    EXPECT_EQ(shown_file_dialogs().listSelection, 0) << "the kind stored last time";
    EXPECT_EQ(file_bytes(folder_ + "mail.TXT"), document("< Mail >\r\na@example.jp\r\n件名\r\n本文\r\n\r\n終わり\r\n"));
    EXPECT_FALSE(file_exists(folder_ + "mail.TXT.txt"));

    cancel_file_dialogs(2);
    command(IDM_TEXT_SAVE);
    EXPECT_EQ(int_setting(SettingSaveTextType), 1) << "cancel keeps the kind";
}

TEST_F(FileCommands, SavingTextAsksBeforeReplacingTheTxtFile) {
    fill_every_mode();
    const std::string old = "an older memo";
    write_file(folder_ + "memo.txt", old);
    set_message_answer(IDNO);
    answer_file_dialogs((folder_ + "memo").c_str(), 0);
    command(IDM_TEXT_SAVE);
    EXPECT_EQ(shown_messages().count, 1);
    expect_replace_question("テキストを保存", "memo.txt");
    EXPECT_EQ(file_bytes(folder_ + "memo.txt"), old) << "No leaves the file byte for byte";
    EXPECT_EQ(shown_file_dialogs().keptName, folder_ + "memo");
    EXPECT_EQ(int_setting(SettingSaveTextType), 1) << "a refused name stores no kind";

    set_message_answer(IDYES);
    answer_file_dialogs((folder_ + "memo").c_str(), 0);
    command(IDM_TEXT_SAVE);
    EXPECT_EQ(shown_messages().count, 2);
    EXPECT_EQ(file_bytes(folder_ + "memo.txt"), document(kAllModes)) << "Yes replaces it";
    EXPECT_EQ(int_setting(SettingSaveTextType), 0);

    // The name offered after an import is the CSV; what is written is its .txt.
    write_file(folder_ + "contacts.csv", old);
    answer_file_dialogs((folder_ + "contacts.csv").c_str(), 0);
    command(IDM_TEXT_SAVE);
    EXPECT_EQ(shown_messages().count, 2) << "contacts.csv.txt does not exist";
    EXPECT_EQ(file_bytes(folder_ + "contacts.csv.txt"), document(kAllModes));
    EXPECT_EQ(file_bytes(folder_ + "contacts.csv"), old);
}

TEST_F(FileCommands, CodeTextIsThePayloadAsEncoded) {
    choose_item(IDC_ENCODING, 3);   // UTF-8: the payload differs from the field's Shift_JIS
    generate("日本語テキスト");
    answer_file_dialogs((folder_ + "code").c_str(), 2);
    command(IDM_TEXT_SAVE);
    EXPECT_EQ(file_bytes(folder_ + "code.txt"), "日本語テキスト");
    EXPECT_EQ(int_setting(SettingSaveTextType), 2);
}

TEST_F(FileCommands, OpeningADocumentRestoresEveryField) {
    fill_every_mode();
    answer_file_dialogs((folder_ + "メモ").c_str(), 0);
    command(IDM_TEXT_SAVE);
    ASSERT_TRUE(file_exists(folder_ + "メモ.txt"));
    for (int32_t id : {IDC_TEXT, IDC_TO, IDC_SUBJECT, IDC_BODY, IDC_NAME, IDC_WEB}) set_text(id, "");
    set_text(IDC_PHONE1, "kept");
    answer_file_dialogs((folder_ + "メモ.txt").c_str());
    command(IDM_OPEN_TEXT);
    EXPECT_EQ(text_of_item(IDC_TEXT), "一行目\r\n二行目");
    EXPECT_EQ(text_of_item(IDC_TO), "a@example.jp");
    EXPECT_EQ(text_of_item(IDC_SUBJECT), "件名");
    EXPECT_EQ(text_of_item(IDC_BODY), "本文\r\n\r\n終わり");
    EXPECT_EQ(text_of_item(IDC_NAME), "山田 太郎");
    EXPECT_EQ(text_of_item(IDC_WEB), "http://example.jp/");
    EXPECT_EQ(text_of_item(IDC_PHONE1), "") << "the address section sets all twelve fields";
    const ShownFileDialog& d = shown_file_dialogs();
    EXPECT_FALSE(d.save);
    EXPECT_EQ(d.title, "テキストファイルを開く");
    EXPECT_EQ(d.filter, (std::vector<std::string>{"テキストファイル (*.txt)", "*.txt", "全てのファイル (*.*)", "*.*"}));
    EXPECT_EQ(d.panelTemplate, 0);
}

// --- What each file dialog is asked for --------------------------------------------------

// One dialog's flags: those it must be opened with and those it must not.
struct DialogFlags {
    int32_t command;
    const char* dialog;
    DWORD set;
    DWORD clear;
};

TEST_F(FileCommands, EachFileDialogIsOpenedWithItsFlags) {
    // Every dialog is resizable, Explorer-style (its hook and panel need it)
    // and returns one name. The program, not the dialog, asks about
    // replacing a file: it asks about the name it writes, after appending
    // the extension.
    const DWORD kEvery = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    const DWORD kNever = OFN_OVERWRITEPROMPT | OFN_ALLOWMULTISELECT;
    // The hook checks the name a save writes and runs the panel; only the
    // dialogs with a list of choices carry the panel's template.
    const DialogFlags kDialogs[] = {
        {IDM_SAVE_BMP, "save the shown code", kEvery | OFN_ENABLEHOOK, kNever | OFN_ENABLETEMPLATE},
        {IDM_SAVE_ALL_BMP, "save every code", kEvery | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE, kNever},
        {IDM_TEXT_SAVE, "save text", kEvery | OFN_FILEMUSTEXIST | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE, kNever},
        {IDM_OPEN_TEXT, "open text", kEvery | OFN_FILEMUSTEXIST, kNever | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE},
    };
    generate(kThreeCodes);
    for (const DialogFlags& row : kDialogs) {
        int32_t shown = shown_file_dialogs().count;
        cancel_file_dialogs();
        command(row.command);
        const ShownFileDialog& d = shown_file_dialogs();
        ASSERT_EQ(d.count, shown + 1) << row.dialog;
        EXPECT_EQ(d.flags & row.set, row.set) << row.dialog << ": missing flags";
        EXPECT_EQ(d.flags & row.clear, 0u) << row.dialog << ": flags it must not have";
    }
}

// The system's dialogs (not the test's stand-in): a save dialog asks before
// replacing and refuses read-only files by default, and would then ask about
// the typed name, not the one written; and one that only takes existing
// names could not make a new document.
FILEOPENDIALOGOPTIONS system_dialog_options(bool save, DWORD flags, FILEOPENDIALOGOPTIONS* defaults) {
    IFileDialog* dialog = nullptr;
    FILEOPENDIALOGOPTIONS options = 0;
    if (FAILED(CoCreateInstance(save ? CLSID_FileSaveDialog : CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                save ? IID_IFileSaveDialog : IID_IFileOpenDialog, reinterpret_cast<void**>(&dialog)))) {
        return 0;
    }
    dialog->GetOptions(defaults);
    set_dialog_options(dialog, flags, save);
    dialog->GetOptions(&options);
    dialog->Release();
    return options;
}

TEST(SystemFileDialogs, TheRecordsFlagsDecideInPlaceOfTheSystemsDefaults) {
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const DWORD kText = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    FILEOPENDIALOGOPTIONS defaults = 0;
    FILEOPENDIALOGOPTIONS save = system_dialog_options(true, kText | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE, &defaults);
    EXPECT_TRUE(defaults & FOS_OVERWRITEPROMPT) << "the system's default the record must override";
    EXPECT_FALSE(save & FOS_OVERWRITEPROMPT) << "the program asks about the name it writes";
    EXPECT_FALSE(save & FOS_NOREADONLYRETURN) << "the program clears the read-only mark itself";
    EXPECT_FALSE(save & FOS_FILEMUSTEXIST) << "a new name must be possible";
    EXPECT_TRUE(save & FOS_FORCEFILESYSTEM);
    EXPECT_TRUE(save & FOS_NOCHANGEDIR);
    FILEOPENDIALOGOPTIONS open = system_dialog_options(false, kText, &defaults);
    EXPECT_TRUE(open & FOS_FILEMUSTEXIST);
    EXPECT_FALSE(open & FOS_ALLOWMULTISELECT);
    if (SUCCEEDED(com)) CoUninitialize();
}

TEST_F(FileCommands, ADocumentWithoutSectionsFillsTheCurrentModesMainText) {
    write_file(folder_ + "plain.log", document("二行の\r\nテキスト"));
    set_text(IDC_SUBJECT, "subject stays");
    click(IDC_MODE_MAIL);
    answer_file_dialogs((folder_ + "plain.log").c_str());
    command(IDM_OPEN_TEXT);
    EXPECT_EQ(text_of_item(IDC_BODY), "二行の\r\nテキスト") << "no extension test for the open command";
    EXPECT_EQ(text_of_item(IDC_SUBJECT), "subject stays");
    EXPECT_EQ(text_of_item(IDC_TEXT), "");
}

TEST_F(FileCommands, TheNameBufferIsSharedByEveryFileDialog) {
    write_file(folder_ + "memo.txt", document("< Text >\r\nmemo text\r\n"));
    answer_file_dialogs((folder_ + "memo.txt").c_str());
    command(IDM_OPEN_TEXT);
    ASSERT_EQ(text_of_item(IDC_TEXT), "memo text");
    click(IDC_CREATE);
    ASSERT_TRUE(wait_for_generation());
    answer_file_dialogs((folder_ + "memo.txt").c_str());   // the offered name accepted
    command(IDM_SAVE_BMP);
    EXPECT_EQ(shown_file_dialogs().offeredName, folder_ + "memo.txt");
    EXPECT_EQ(file_bytes(folder_ + "memo.txt.bmp").substr(0, 2), "BM");
    cancel_file_dialogs();
    command(IDM_TEXT_SAVE);
    EXPECT_EQ(shown_file_dialogs().offeredName, folder_ + "memo.txt");
}

// --- Dropped files ----------------------------------------------------------------------

TEST_F(FileCommands, DroppedDocumentsAreReadInOrderAndTheGuardIgnoresTheNext) {
    write_file(folder_ + "one.txt", document("< Text >\r\nfirst drop\r\n< Mail >\r\nto@one\r\n"));
    write_file(folder_ + "two.TXT", document("< Text >\r\nsecond drop\r\n"));
    write_file(folder_ + "note.log", document("< Text >\r\nnot a document\r\n"));
    drop_files({folder_ + "one.txt", folder_ + "note.log"});
    EXPECT_EQ(text_of_item(IDC_TEXT), "first drop");
    EXPECT_EQ(text_of_item(IDC_TO), "to@one");
    drop_files({folder_ + "two.TXT"});
    EXPECT_EQ(text_of_item(IDC_TEXT), "first drop") << "inside 100 ms the drop is ignored";
    command(IDM_OPEN_TEXT);
    EXPECT_EQ(shown_file_dialogs().count, 0) << "and so are commands";
    pump_for(150);
    drop_files({folder_ + "one.txt", folder_ + "two.TXT"});
    EXPECT_EQ(text_of_item(IDC_TEXT), "second drop") << "each document overwrites what it holds";
    EXPECT_EQ(text_of_item(IDC_TO), "to@one");
    EXPECT_EQ(shown_messages().count, 0);
}

// Documents d01.txt, d02.txt ... of a drop of count names; document k holds
// its number as its text, so the text shows the last one read.
std::vector<std::string> numbered_documents(const std::string& folder, int32_t count) {
    std::vector<std::string> names;
    for (int32_t k = 1; k <= count; ++k) {
        std::string name = folder + "d" + std::to_string(k) + ".txt";
        write_file(name, "< Text >\r\ndocument " + std::to_string(k) + "\r\n");
        names.push_back(name);
    }
    return names;
}

TEST_F(FileCommands, EveryNameOfALargeDropIsRead) {
    drop_files(numbered_documents(folder_, 70));
    EXPECT_EQ(text_of_item(IDC_TEXT), "document 70") << "names past the 64th are read, in order";
    pump_for(150);
    std::vector<std::string> names = numbered_documents(folder_, 69);
    names.push_back(folder_ + "d1.txt");
    drop_files(names);
    EXPECT_EQ(text_of_item(IDC_TEXT), "document 1") << "the system's order holds to the end";
    EXPECT_EQ(shown_messages().count, 0);
}

TEST_F(FileCommands, ACsvLateInALargeDropEndsIt) {
    std::vector<std::string> names = numbered_documents(folder_, 68);
    write_file(folder_ + "contacts.csv", sjis("表示名,携帯電話\r\n鈴木 一郎,090-1\r\n"));
    names[66] = folder_ + "contacts.csv";   // the 67th name
    drop_files(names);
    EXPECT_EQ(text_of_item(IDC_TEXT), "document 66") << "the documents before it are read";
    EXPECT_TRUE(checked(IDC_MODE_ADDRESS));
    EXPECT_EQ(text_of_item(IDC_NAME), "鈴木 一郎");
    EXPECT_TRUE(visible(IDC_IMPORT_GROUP));
    clear_import_records();
}

TEST_F(FileCommands, ADroppedCsvIsImportedAndShowsTheFirstRecord) {
    write_file(folder_ + "contacts.csv",
               sjis("\"姓\",\"名\",\"携帯電話\",\"電子メール アドレス\"\r\n鈴木,一郎,090-1,a@b.jp\r\n佐藤,花子,080-2,\r\n"));
    write_file(folder_ + "after.txt", document("< Text >\r\nafter the csv\r\n"));
    drop_files({folder_ + "contacts.csv", folder_ + "after.txt"});
    EXPECT_TRUE(checked(IDC_MODE_ADDRESS));
    EXPECT_FALSE(checked(IDC_MODE_TEXT));
    EXPECT_TRUE(visible(IDC_NAME));
    EXPECT_EQ(text_of_item(IDC_NAME), "鈴木 一郎");
    EXPECT_EQ(text_of_item(IDC_PHONE1), "090-1");
    EXPECT_EQ(text_of_item(IDC_MAIL1), "a@b.jp");
    EXPECT_TRUE(visible(IDC_IMPORT_GROUP));
    EXPECT_EQ(text_of_item(IDC_TEXT), "") << "files after the CSV are ignored";
    EXPECT_EQ(shown_messages().count, 0);
    clear_import_records();
}

TEST_F(FileCommands, ACsvWithoutKnownColumnsSaysImportError) {
    clear_import_records();   // no earlier import in effect
    write_file(folder_ + "other.csv", "alpha,beta\r\n1,2\r\n");
    drop_files({folder_ + "other.csv"});
    EXPECT_EQ(shown_messages().count, 1);
    EXPECT_EQ(shown_messages().caption, "Import Error");
    EXPECT_EQ(shown_messages().text, "アドレスはインポートされませんでした。");
    EXPECT_EQ(shown_messages().flags & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_TRUE(checked(IDC_MODE_TEXT));
    EXPECT_FALSE(visible(IDC_IMPORT_GROUP));
}

// --- Start-up document and resume file ---------------------------------------------------------

TEST(StartUpDocument, TheCommandLineDocumentTakesThePlaceOfTheResumeFile) {
    const std::string folder = test_files_folder("start");
    fresh_settings();
    write_file(test_app_folder() + "resume.txt", document("< Text >\r\nfrom the resume file\r\n"));
    write_file(folder + "文書.txt", document("< Text >\r\nfrom the command line\r\n"));
    write_file(folder + "notes.log", document("< Text >\r\nnot accepted\r\n"));
    set_start_document((folder + "文書.txt").c_str());
    open_window();
    EXPECT_EQ(text_of_item(IDC_TEXT), "from the command line");
    close_window();
    write_file(test_app_folder() + "resume.txt", document("< Text >\r\nfrom the resume file\r\n"));
    set_start_document((folder + "notes.log").c_str());
    open_window();
    EXPECT_EQ(text_of_item(IDC_TEXT), "") << "an argument that is no document still replaces the resume file";
    close_window();
    write_file(test_app_folder() + "resume.txt", document("< Text >\r\nfrom the resume file\r\n"));
    open_window();
    EXPECT_EQ(text_of_item(IDC_TEXT), "from the resume file");
    close_window();
}

TEST(ResumeFile, IsWrittenAtCloseAndReadAtTheNextOpen) {
    fresh_settings();
    open_window();
    EXPECT_TRUE(GetMenuState(GetMenu(main_window()), IDM_RESUME, MF_BYCOMMAND) & MF_CHECKED);
    fill_every_mode();
    close_window();   // the settings are not saved, the resume file is
    EXPECT_EQ(file_bytes(test_app_folder() + "resume.txt"), document(kAllModes));
    open_window();
    EXPECT_EQ(text_of_item(IDC_TEXT), "一行目\r\n二行目");
    EXPECT_EQ(text_of_item(IDC_BODY), "本文\r\n\r\n終わり");
    EXPECT_EQ(text_of_item(IDC_NAME), "山田 太郎");
    command(IDM_RESUME);
    EXPECT_EQ(int_setting(SettingResume), 0);
    EXPECT_FALSE(GetMenuState(GetMenu(main_window()), IDM_RESUME, MF_BYCOMMAND) & MF_CHECKED);
    set_text(IDC_TEXT, "not resumed");
    close_window();
    EXPECT_EQ(file_bytes(test_app_folder() + "resume.txt"), document(kAllModes)) << "\"resume\" off writes nothing";
    write_settings("resume=0\r\n");
    open_window();
    EXPECT_EQ(text_of_item(IDC_TEXT), "") << "nor reads it";
    command(IDM_RESUME);
    EXPECT_TRUE(GetMenuState(GetMenu(main_window()), IDM_RESUME, MF_BYCOMMAND) & MF_CHECKED);
    close_window();
}

// --- Save-kind dialog ---------------------------------------------------------------------

struct SaveKindAction {
    int32_t radio;    // clicked before OK; 0: the close box instead
    bool found;
    bool bitmapMarked;
};
SaveKindAction g_action;

// Runs inside the dialog's modal loop once it shows: the user's choice.
void act_on_save_kind(HWND dialog) {
    g_action.found = true;
    g_action.bitmapMarked = IsDlgButtonChecked(dialog, IDC_SAVE_KIND_BMP) == BST_CHECKED;
    if (g_action.radio == 0) {
        SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    }
    press_dialog_button(dialog, g_action.radio);
    press_dialog_button(dialog, IDOK);
}

void save_data_choosing(int32_t radio) {
    g_action = {radio, false, false};
    set_dialog_handler(act_on_save_kind);
    command(IDM_SAVE_DATA);
    set_dialog_handler(nullptr);
}

TEST_F(FileCommands, TheSaveKindDialogLeadsToTheBitmapOrTheTextSave) {
    generate("HELLO");
    cancel_file_dialogs();
    save_data_choosing(IDC_SAVE_KIND_BMP);
    EXPECT_TRUE(g_action.found);
    EXPECT_TRUE(g_action.bitmapMarked);
    EXPECT_EQ(shown_file_dialogs().count, 1);
    EXPECT_EQ(shown_file_dialogs().title, "BMPを保存");
    save_data_choosing(IDC_SAVE_KIND_TEXT);
    EXPECT_TRUE(g_action.bitmapMarked) << "BMP marked at every opening";
    EXPECT_EQ(shown_file_dialogs().count, 2);
    EXPECT_EQ(shown_file_dialogs().title, "テキストを保存");
    save_data_choosing(0);
    EXPECT_TRUE(g_action.found);
    EXPECT_EQ(shown_file_dialogs().count, 2) << "the close box saves nothing";
    EXPECT_EQ(shown_messages().count, 0);
}

TEST_F(FileCommands, SaveKindWithoutCodesReachesNoData) {
    save_data_choosing(IDC_SAVE_KIND_BMP);
    EXPECT_TRUE(g_action.found);
    EXPECT_EQ(shown_messages().caption, "No Data");
    EXPECT_EQ(shown_file_dialogs().count, 0);
}

// --- The system's own dialogs with the panels -------------------------------------------------

// What the user does in a system file dialog: choose a list item of the
// panel, type a name and press OK.
struct SystemDialogUser {
    std::string title;   // UTF-8
    int32_t listId;
    int32_t choice;
    std::wstring name;
    bool found;
    int32_t items;
    int32_t selection;   // the list's selection when the dialog opened
};
SystemDialogUser g_user;

HWND find_descendant(HWND parent, int32_t id) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == id) return child;
        HWND inner = find_descendant(child, id);
        if (inner != nullptr) return inner;
    }
    return nullptr;
}

// A combo box below parent that is neither the file-type list (cmb1) nor
// the name box (cmb13): the dialog's add-on list.
HWND find_added_list(HWND parent) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[32] = L"";
        GetClassNameW(child, name, 32);
        int32_t id = GetDlgCtrlID(child);
        if (lstrcmpiW(name, L"ComboBox") == 0 && id != cmb1 && id != cmb13) return child;
        HWND inner = find_added_list(child);
        if (inner != nullptr) return inner;
    }
    return nullptr;
}

// Runs inside the system dialog's modal loop once it shows; without the
// panel's list it cancels. The list carries the panel's id where the
// dialog keeps the ids of added controls.
void act_in_system_dialog(HWND dialog) {
    HWND list = find_descendant(dialog, g_user.listId);
    if (list == nullptr) list = find_added_list(dialog);
    if (list == nullptr || text_of(dialog) != g_user.title) {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
    }
    g_user.found = true;
    g_user.items = static_cast<int32_t>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    g_user.selection = static_cast<int32_t>(SendMessageW(list, CB_GETCURSEL, 0, 0));
    SendMessageW(list, CB_SETCURSEL, g_user.choice, 0);
    HWND name = find_descendant(dialog, cmb13);
    SetWindowTextW(name != nullptr ? name : find_descendant(dialog, edt1), g_user.name.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void use_system_dialog(int32_t id, const char* title, int32_t listId, int32_t choice, const std::string& path) {
    wchar_t wide[1024];
    MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide, 1024);
    g_user = {title, listId, choice, wide, false, 0, -1};
    set_file_dialog_seam(nullptr);
    set_dialog_handler(act_in_system_dialog);
    command(id);
    set_dialog_handler(nullptr);
}

TEST_F(FileCommands, TheSystemSaveDialogCarriesTheNumberingPanel) {
    generate(kThreeCodes);
    use_system_dialog(IDM_SAVE_ALL_BMP, "全てのBMPを保存", IDC_NUMBERING_LIST, 1, folder_ + "qr");
    ASSERT_TRUE(g_user.found);
    EXPECT_EQ(g_user.items, 6);
    EXPECT_EQ(g_user.selection, 3);
    EXPECT_EQ(int_setting(SettingAddPrePost), 1) << "stored at the system's confirmation";
    for (const char* name : {"01_qr.bmp", "02_qr.bmp", "03_qr.bmp"}) {
        EXPECT_EQ(file_bytes(folder_ + name).substr(0, 2), "BM") << name;
    }
}

TEST_F(FileCommands, TheSystemSaveDialogCarriesTheTextKindPanel) {
    fill_every_mode();
    use_system_dialog(IDM_TEXT_SAVE, "テキストを保存", IDC_TEXT_KIND_LIST, 0, folder_ + "all");
    ASSERT_TRUE(g_user.found);
    EXPECT_EQ(g_user.items, 3);
    EXPECT_EQ(g_user.selection, 1);
    EXPECT_EQ(int_setting(SettingSaveTextType), 0);
    EXPECT_EQ(file_bytes(folder_ + "all.txt"), document(kAllModes));
}

// In the system's save dialog: the name typed and OK pressed; the dialog
// either closes or stays with the name it then holds, and is cancelled.
struct ConfirmingUser {
    std::wstring name;
    bool found;
    bool stayed;
    std::string kept;   // the name box after OK, UTF-8
};
ConfirmingUser g_confirming;

HWND name_box(HWND dialog) {
    HWND name = find_descendant(dialog, cmb13);
    return name != nullptr ? name : find_descendant(dialog, edt1);
}

void confirm_in_system_dialog(HWND dialog) {
    if (text_of(dialog) != "BMPを保存") {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
    }
    g_confirming.found = true;
    SetWindowTextW(name_box(dialog), g_confirming.name.c_str());
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);   // the question is answered inside
    g_confirming.stayed = IsWindow(dialog) && IsWindowVisible(dialog);
    if (!g_confirming.stayed) return;
    g_confirming.kept = text_of(name_box(dialog));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void save_bitmap_in_system_dialog(const std::string& path) {
    wchar_t wide[1024];
    MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide, 1024);
    g_confirming = {wide, false, false, ""};
    set_file_dialog_seam(nullptr);
    set_dialog_handler(confirm_in_system_dialog);
    command(IDM_SAVE_BMP);
    set_dialog_handler(nullptr);
}

TEST_F(FileCommands, TheSystemSaveDialogAsksAboutTheBmpNameAndStaysOnNo) {
    generate("HELLO");
    const std::string old = "an older bitmap";
    write_file(folder_ + "qr.bmp", old);
    set_message_answer(IDNO);
    save_bitmap_in_system_dialog(folder_ + "qr");
    ASSERT_TRUE(g_confirming.found);
    EXPECT_EQ(shown_messages().count, 1);
    expect_replace_question("BMPを保存", "qr.bmp");
    EXPECT_TRUE(g_confirming.stayed) << "No returns to the dialog";
    EXPECT_EQ(g_confirming.kept, folder_ + "qr") << "with the name as typed";
    EXPECT_EQ(file_bytes(folder_ + "qr.bmp"), old);

    set_message_answer(IDYES);
    save_bitmap_in_system_dialog(folder_ + "qr");
    EXPECT_EQ(shown_messages().count, 2);
    EXPECT_FALSE(g_confirming.stayed);
    expect_bitmap(file_bytes(folder_ + "qr.bmp"), shown_side(int_setting(SettingSliderPos)), "qr.bmp");

    save_bitmap_in_system_dialog(folder_ + "fresh");
    EXPECT_EQ(shown_messages().count, 2) << "a name that does not exist is not asked about";
    EXPECT_EQ(file_bytes(folder_ + "fresh.bmp").substr(0, 2), "BM");
}

// In the system's save dialog the file type is chosen from its own list:
// the type decides the extension of the name written, and is stored.
struct TypeChoosingUser {
    int32_t type;
    std::wstring name;
    int32_t offered;   // the type list's selection when the dialog opened
};
TypeChoosingUser g_typing;

void choose_type_in_system_dialog(HWND dialog) {
    HWND types = find_descendant(dialog, cmb1);
    if (text_of(dialog) != "BMPを保存" || types == nullptr) {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
    }
    g_typing.offered = static_cast<int32_t>(SendMessageW(types, CB_GETCURSEL, 0, 0));
    SendMessageW(types, CB_SETCURSEL, g_typing.type, 0);
    SendMessageW(GetParent(types), WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
    SetWindowTextW(name_box(dialog), g_typing.name.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

TEST_F(FileCommands, TheSystemSaveDialogsTypeDecidesTheFileWritten) {
    generate("HELLO");
    set_int_setting(SettingSaveImageType, ImageSvg);
    g_typing = {ImagePng, std::wstring(wide_of(folder_ + "typed")), -1};
    set_file_dialog_seam(nullptr);
    set_dialog_handler(choose_type_in_system_dialog);
    command(IDM_SAVE_BMP);
    set_dialog_handler(nullptr);
    EXPECT_EQ(g_typing.offered, ImageSvg) << "the type last chosen is offered";
    EXPECT_EQ(file_bytes(folder_ + "typed.png").substr(0, 4), "\x89PNG");
    EXPECT_FALSE(file_exists(folder_ + "typed.svg"));
    EXPECT_EQ(int_setting(SettingSaveImageType), ImagePng);
}

}  // namespace
