// Text documents: the bytes written, reading them back into the form,
// files without sections, header forms, long lines, tabs, text-mode rules,
// whole-file replacement, the extension filter, drops and the start document.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "payload/payload.h"
#include "persistence/documents.h"
#include "persistence/outlook_import.h"
#include "persistence/settings_store.h"
#include "tests/payload/text_support.h"
#include "tests/persistence/settings_env_support.h"
#include "tests/platform/file_size_limit_support.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

const std::string kEmptyAllModes =
    "< Text >\r\n\r\n"
    "< Mail >\r\n\r\n\r\n\r\n"
    "< Address >\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";

const int32_t kEveryField[16] = {ControlText,   ControlTo,     ControlSubject, ControlBody,
                                 ControlName,   ControlFurigana, ControlPhone1, ControlPhone2,
                                 ControlPhone3, ControlMail1,  ControlMail2,   ControlMail3,
                                 ControlNote,   ControlPostal, ControlBirthday, ControlUrl};

std::string field(int32_t control) { return form_field(&g_form, control); }

class DocumentsTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fresh_settings_env();
        reset_form(Docomo, InputMode::Text);
    }
    std::string path(const char* name) const { return folder_ + name; }
    // Reads a file of these bytes into the form.
    void read_bytes(const std::string& bytes) {
        write_file(path("in.txt"), bytes);
        FILE* f = std::fopen(path("in.txt").c_str(), "rb");
        ASSERT_NE(f, nullptr);
        read_document(f);
        std::fclose(f);
    }
    // Every field set to a marker the document reading must not touch.
    void mark_every_field() {
        for (int32_t c : kEveryField) set_field_bytes(c, "old" + std::to_string(c));
    }
    std::string folder_;
};

TEST_F(DocumentsTest, EmptyFieldsWriteEveryLineOfEverySection) {
    ASSERT_EQ(write_document(path("empty.txt").c_str(), AllModes), 0);
    EXPECT_EQ(file_bytes(path("empty.txt")), kEmptyAllModes);
}

TEST_F(DocumentsTest, CurrentModeWritesOnlyItsSection) {
    set_field(ControlText, "本文");
    set_field(ControlTo, "a@b.jp");
    set_field(ControlName, "山田");
    std::string address = "< Address >\r\n" + sjis("山田") + "\r\n";
    for (int i = 0; i < 11; ++i) address += "\r\n";
    const std::string expected[3] = {"< Text >\r\n" + sjis("本文") + "\r\n", "< Mail >\r\na@b.jp\r\n\r\n\r\n", address};
    for (int32_t mode = 0; mode < 3; ++mode) {
        g_form.mode = mode;
        ASSERT_EQ(write_document(path("cur.txt").c_str(), CurrentMode), 0);
        const std::string& want = expected[mode];
        EXPECT_EQ(file_bytes(path("cur.txt")), want) << "mode " << mode;
    }
}

TEST_F(DocumentsTest, CodeTextIsThePayloadUnchangedWithoutHeader) {
    const std::string payload = "MECARD:N:" + sjis("山田") + "\xF8\x9F;;";
    std::memcpy(g_payload.text, payload.c_str(), payload.size() + 1);
    ASSERT_EQ(write_document(path("code.txt").c_str(), CodeText), 0);
    EXPECT_EQ(file_bytes(path("code.txt")), payload);
    g_payload.text[0] = '\0';
    ASSERT_EQ(write_document(path("code.txt").c_str(), CodeText), 0);
    EXPECT_EQ(file_bytes(path("code.txt")), "");
}

// Texts of the two multi-line fields that must come back byte for byte.
const char* const kLongTexts[] = {
    "", "a", "a\r\n", "\r\n", "\r\n\r\n", "\r\nfirst\r\n\r\nlast\r\n\r\n",
    "\x83\x5c\x83\x5c\\ backslash trail", "< not a header\r\n<  Text >\r\n"};

TEST_F(DocumentsTest, WritingThenReadingRestoresEveryField) {
    for (const char* text : kLongTexts) {
        reset_form(Docomo, InputMode::Text);
        for (int32_t i = 0; i < 16; ++i) {
            std::string value = sjis("値") + std::to_string(i) + " " + sjis("ｱｲｳ漢字");
            set_field_bytes(kEveryField[i], i == 0 || i == 3 ? std::string(text) + value + text : value);
        }
        std::string before[16];
        for (int32_t i = 0; i < 16; ++i) before[i] = field(kEveryField[i]);
        ASSERT_EQ(write_document(path("round.txt").c_str(), AllModes), 0);
        mark_every_field();
        FILE* f = std::fopen(path("round.txt").c_str(), "rb");
        ASSERT_NE(f, nullptr);
        read_document(f);
        std::fclose(f);
        for (int32_t i = 0; i < 16; ++i) EXPECT_EQ(field(kEveryField[i]), before[i]) << "field " << i << " text '" << text << "'";
    }
}

TEST_F(DocumentsTest, FieldsAtTheirLimitsComeBackWhole) {
    std::string longText;
    while (longText.size() < 20000) longText += std::string(2000, 'x') + "\r\n";
    std::string shortText(kDocumentFieldBytes, 'y');
    set_field_bytes(ControlText, longText);
    set_field_bytes(ControlBody, longText);
    set_field_bytes(ControlSubject, shortText);
    ASSERT_EQ(write_document(path("big.txt").c_str(), AllModes), 0);
    mark_every_field();
    read_bytes(file_bytes(path("big.txt")));
    EXPECT_EQ(field(ControlText), longText);
    EXPECT_EQ(field(ControlBody), longText);
    EXPECT_EQ(field(ControlSubject), shortText);
}

TEST_F(DocumentsTest, WithoutSectionsTheWholeFileGoesToTheModesMainField) {
    const std::string file = sjis("一行目\r\n二行目");   // no line break at the end
    for (int32_t mode = 0; mode < 3; ++mode) {
        reset_form(Docomo, static_cast<InputMode>(mode));
        mark_every_field();
        read_bytes(file);
        for (int32_t c : kEveryField) {
            bool target = (mode == 0 && c == ControlText) || (mode == 1 && c == ControlBody);
            EXPECT_EQ(field(c), target ? file : "old" + std::to_string(c)) << "mode " << mode << " control " << c;
        }
        EXPECT_EQ(g_form.mode, mode);
    }
}

struct ReadCase {
    const char* what;
    std::string file;
    std::vector<std::pair<int32_t, std::string>> fields;   // the rest keep their marks
};

std::string address_lines(int n) {
    std::string out = "< Address >\r\n";
    for (int i = 1; i <= n; ++i) out += "line" + std::to_string(i) + "\r\n";
    return out;
}

TEST_F(DocumentsTest, SectionsSetOnlyWhatTheyHold) {
    std::vector<std::pair<int32_t, std::string>> twelve;
    for (int32_t i = 0; i < 12; ++i) twelve.push_back({kAddressControls[i], "line" + std::to_string(i + 1)});
    const ReadCase cases[] = {
        {"two blanks after < make no header; lower case does",
         "<  Text >\r\nignored\r\n< text >\r\nbody\r\n", {{ControlText, "body"}}},
        {"any case", "< TEXT >\r\nupper\r\n< mAiL >\r\nto\r\n", {{ControlText, "upper"}, {ControlTo, "to"}}},
        {"an unknown header ends the text and its lines are ignored",
         "< Text >\r\nkept\r\n< Memo >\r\nnot text\r\nnot either\r\n< Mail >\r\nto\r\n",
         {{ControlText, "kept"}, {ControlTo, "to"}}},
        {"a mail of two lines keeps the body", "< Mail >\r\nto@x.jp\r\nsubject\r\n",
         {{ControlTo, "to@x.jp"}, {ControlSubject, "subject"}}},
        {"an address of 14 lines sets 12 fields", address_lines(14), twelve},
        {"a last line without line break is left out", "< Mail >\r\nto\r\nsubject", {{ControlTo, "to"}}},
        {"also in the text", "< Text >\r\none\r\ntwo", {{ControlText, "one"}}},
        {"tabs are removed", "< Mail >\r\n\tto\t@x.jp\r\nsub\tject\r\n\tbody\t\r\n",
         {{ControlTo, "to@x.jp"}, {ControlSubject, "subject"}, {ControlBody, "body"}}},
        {"bare LF reads as CR LF, a lone CR stays, 0x1A ends the file",
         "< Mail >\nto\r\nsub\rject\nbody\r\n\x1A< Text >\r\nnot read\r\n",
         {{ControlTo, "to"}, {ControlSubject, "sub\rject"}, {ControlBody, "body"}}},
        {"0xFF ends the file", "< Text >\nbefore\n\xFF" "after\n", {{ControlText, "before"}}},
    };
    for (const ReadCase& c : cases) {
        mark_every_field();
        read_bytes(c.file);
        for (int32_t control : kEveryField) {
            std::string expected = "old" + std::to_string(control);
            for (const auto& f : c.fields) {
                if (f.first == control) expected = f.second;
            }
            EXPECT_EQ(field(control), expected) << c.what << ", control " << control;
        }
    }
}

TEST_F(DocumentsTest, LongLinesAreCutBetweenCharacters) {
    read_bytes("< Text >\r\n" + std::string(5000, 'a') + "\r\nnext\r\n");
    EXPECT_EQ(field(ControlText), std::string(2046, 'a') + "\r\nnext");
    // A double-byte character over the cut goes whole.
    read_bytes("< Text >\r\n" + std::string(2045, 'b') + sjis("漢") + "tail\r\n");
    EXPECT_EQ(field(ControlText), std::string(2045, 'b'));
    read_bytes("< Text >\r\n" + std::string(2046, 'c') + "\r\n");
    EXPECT_EQ(field(ControlText), std::string(2046, 'c'));
    // Single-line fields keep 200 bytes; a halved character leaves a blank.
    read_bytes("< Mail >\r\n" + std::string(199, 'd') + sjis("漢") + "\r\n");
    EXPECT_EQ(field(ControlTo), std::string(199, 'd') + " ");
}

TEST_F(DocumentsTest, AnExistingDocumentIsReplacedWhole) {
    const std::string target = path("memo.txt");
    write_file(target, std::string(300, 'o'));
    set_field(ControlText, "new");
    g_form.mode = 0;
    ASSERT_EQ(write_document(target.c_str(), CurrentMode), 0);
    EXPECT_EQ(file_bytes(target), "< Text >\r\nnew\r\n");
    EXPECT_EQ(file_bytes(target + ".mivoka-new"), "");
    EXPECT_EQ(write_file_bytes(target.c_str(), "more", 4, WriteAppend), 0);
    EXPECT_EQ(file_bytes(target), "< Text >\r\nnew\r\nmore");
}

TEST_F(DocumentsTest, AFailedWriteLeavesTheOldDocumentAsItWas) {
    const std::string target = path("keep.txt");
    write_file(target, "< Text >\r\nold\r\n");
    // The file beside it cannot be made: a folder stands in its place.
    make_folder(target + ".mivoka-new");
    EXPECT_EQ(write_document(target.c_str(), AllModes), 1);
    EXPECT_EQ(file_bytes(target), "< Text >\r\nold\r\n");
    EXPECT_EQ(write_document(path("missing/x.txt").c_str(), AllModes), 1);
}

#ifndef _WIN32
// The file system refuses bytes past a size limit in the middle of the write.
TEST_F(DocumentsTest, AWriteThatFailsMidwayLeavesTheOldDocumentWhole) {
    const std::string target = path("big.txt");
    const std::string old = "< Text >\r\n" + std::string(3000, 'o') + "\r\n";
    write_file(target, old);
    set_field_bytes(ControlText, std::string(8000, 'n'));
    int32_t result = with_file_size_limit(4096, [&] { return write_document(target.c_str(), AllModes); });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(file_bytes(target), old);
    EXPECT_EQ(file_bytes(target + ".mivoka-new"), "");
}
#endif

#ifndef _WIN32
// The replaced document keeps who may read it: a private memo stays private.
TEST_F(DocumentsTest, AReplacedDocumentKeepsItsPermissionBits) {
    const std::string target = path("private.txt");
    for (mode_t bits : {mode_t{0600}, mode_t{0640}, mode_t{0644}}) {
        write_file(target, "old");
        ASSERT_EQ(chmod(target.c_str(), bits), 0);
        set_field(ControlText, "new");
        g_form.mode = 0;
        ASSERT_EQ(write_document(target.c_str(), CurrentMode), 0);
        EXPECT_EQ(file_bytes(target), "< Text >\r\nnew\r\n");
        struct stat st;
        ASSERT_EQ(stat(target.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, bits) << std::oct << bits;
    }
}

// A folder opens for reading on POSIX but every read fails: that is no empty
// document, and the form keeps what it held.
TEST_F(DocumentsTest, AFileThatCannotBeReadChangesNothing) {
    make_folder(path("folder.txt"));
    FILE* f = std::fopen(path("folder.txt").c_str(), "rb");
    ASSERT_NE(f, nullptr);
    mark_every_field();
    EXPECT_EQ(read_document(f), 1);
    std::fclose(f);
    for (int32_t control : kEveryField) EXPECT_EQ(field(control), "old" + std::to_string(control)) << control;
    // Dropped, it counts as not read.
    parse_extension_filter(".txt");
    std::string name = path("folder.txt");
    const char* names[] = {name.c_str()};
    DropOutcome out;
    load_dropped_files(names, 1, &out);
    EXPECT_EQ(out.documentsRead, 0);
    EXPECT_EQ(field(ControlText), "old" + std::to_string(ControlText));
}
#endif

TEST_F(DocumentsTest, AReadableFileReportsItWasRead) {
    write_file(path("in.txt"), "< Text >\r\nread\r\n");
    FILE* f = std::fopen(path("in.txt").c_str(), "rb");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(read_document(f), 0);
    std::fclose(f);
    EXPECT_EQ(field(ControlText), "read");
}

TEST_F(DocumentsTest, TheExtensionFilter) {
    parse_extension_filter(("txt .dat" + sjis("　") + ".CSV").c_str());
    EXPECT_STREQ(AcceptedExtensions[0], ".txt");
    EXPECT_STREQ(AcceptedExtensions[1], ".dat");
    for (int32_t i = 2; i < kExtensionCount; ++i) EXPECT_STREQ(AcceptedExtensions[i], "") << i;
    EXPECT_EQ(match_document_extension("memo.DAT"), 1);
    EXPECT_EQ(match_document_extension("note.log"), -1);
    EXPECT_EQ(match_document_extension(".txt"), -1);   // the name must be longer
    EXPECT_EQ(match_document_extension("addr.csv"), -1);
}

TEST_F(DocumentsTest, TheExtensionFilterKeepsTwentyShortTokens) {
    // 16 bytes: too long; 15 bytes: kept, with its dot 16; "csv" becomes ".csv".
    std::string filter = "abcdefghijklmnop abcdefghijklmno csv";
    for (int i = 0; i < 20; ++i) filter += " e" + std::to_string(i);
    filter += sjis("　　.漢字");
    parse_extension_filter(filter.c_str());
    EXPECT_STREQ(AcceptedExtensions[0], ".");
    EXPECT_STREQ(AcceptedExtensions[1], ".abcdefghijklmno");
    EXPECT_STREQ(AcceptedExtensions[2], "");
    EXPECT_STREQ(AcceptedExtensions[3], ".e0");
    EXPECT_STREQ(AcceptedExtensions[19], ".e16");
    EXPECT_EQ(match_document_extension("x.e17"), -1);
    parse_extension_filter(sjis(".漢字　.txt").c_str());
    EXPECT_EQ(AcceptedExtensions[0], sjis(".漢字"));
    EXPECT_EQ(match_document_extension(sjis("メモ.漢字").c_str()), 0);
}

TEST_F(DocumentsTest, SaveNamesGetTheirTxt) {
    char name[32] = "memo";
    EXPECT_EQ(ensure_txt_extension(name, sizeof name), 0);
    EXPECT_STREQ(name, "memo.txt");
    char upper[32] = "memo.TXT";
    ensure_txt_extension(upper, sizeof upper);
    EXPECT_STREQ(upper, "memo.TXT");
    char tight[8] = "abcdef";
    EXPECT_EQ(ensure_txt_extension(tight, sizeof tight), 1);
}

const std::string kCsv = "\"" + sjis("姓") + "\",\"" + sjis("名") + "\"\r\n" + sjis("山田,太郎") + "\r\n";

TEST_F(DocumentsTest, CsvNamesAreLongerThanFiveCharacters) {
    EXPECT_FALSE(is_csv_name("a.csv"));
    EXPECT_TRUE(is_csv_name("ab.CSV"));
    EXPECT_FALSE(is_csv_name("ab.csv.txt"));
    parse_extension_filter("csv .csv .CSV");
    EXPECT_EQ(match_document_extension("a.csv"), -1);
}

TEST_F(DocumentsTest, DroppedFilesInOrder) {
    parse_extension_filter(("txt .dat" + sjis("　") + ".CSV").c_str());
    write_file(path("memo.txt"), "< Text >\r\nmemo\r\n");
    write_file(path("memo.DAT"), "< Text >\r\ndat\r\n");
    write_file(path("addr.csv"), kCsv);
    write_file(path("note.log"), "< Text >\r\nlog\r\n");
    struct Case {
        std::vector<std::string> names;
        int32_t documents;
        int32_t importResult;
        const char* text;
    };
    const Case cases[] = {
        {{"memo.txt", "addr.csv"}, 1, 0, "memo"},
        {{"addr.csv", "memo.txt"}, 0, 0, ""},
        {{"memo.DAT"}, 1, -1, "dat"},
        {{"note.log"}, 0, -1, ""},
        {{"missing.txt", "memo.txt", "memo.DAT"}, 2, -1, "dat"}};
    for (const Case& c : cases) {
        reset_form(Docomo, InputMode::Text);
        std::memset(&g_import, 0, sizeof g_import);
        std::vector<std::string> full;
        for (const std::string& n : c.names) full.push_back(path(n.c_str()));
        std::vector<const char*> names;
        for (const std::string& n : full) names.push_back(n.c_str());
        DropOutcome out;
        load_dropped_files(names.data(), static_cast<int32_t>(names.size()), &out);
        EXPECT_EQ(out.documentsRead, c.documents) << c.names[0];
        EXPECT_EQ(out.importResult, c.importResult) << c.names[0];
        EXPECT_EQ(out.message.show, 0) << c.names[0];
        EXPECT_EQ(field(ControlText), c.text) << c.names[0];
        EXPECT_EQ(field(ControlName), c.importResult == 0 ? sjis("山田 太郎") : "") << c.names[0];
    }
}

TEST_F(DocumentsTest, ADroppedCsvWithoutImportAsksNothingElse) {
    write_file(path("bad.csv"), "x,y\r\n1,2\r\n");
    std::memset(&g_import, 0, sizeof g_import);
    std::string name = path("bad.csv");
    const char* names[] = {name.c_str(), name.c_str()};
    DropOutcome out;
    load_dropped_files(names, 2, &out);
    EXPECT_EQ(out.importResult, 1);
    EXPECT_EQ(out.message.show, 1);
    EXPECT_STREQ(out.message.caption, "Import Error");
    EXPECT_EQ(out.message.icon, IconWarning);
    EXPECT_EQ(std::string(out.message.text), sjis("アドレスはインポートされませんでした。"));
    // An earlier import still in effect: no message.
    g_import.inEffect = true;
    load_dropped_files(names, 1, &out);
    EXPECT_EQ(out.message.show, 0);
    g_import.inEffect = false;
}

TEST_F(DocumentsTest, TheStartDocumentAndTheResumeFile) {
    parse_extension_filter("txt");
    write_file(path("start.txt"), "< Text >\r\nstart\r\n");
    write_file(path("start.csv"), kCsv);
    write_file(path("resume.txt"), "< Text >\r\nresumed\r\n");
    std::string names[] = {path("start.txt"), path("start.csv"), path("none.txt"), folder_};
    const char* expected[] = {"start", "", "", ""};
    for (int i = 0; i < 4; ++i) {
        reset_form(Docomo, InputMode::Text);
        const char* argv[] = {"Mivoka.exe", names[i].c_str()};
        EXPECT_EQ(open_start_document(2, argv), expected[i][0] != '\0' ? 0 : 4) << names[i];
        EXPECT_EQ(field(ControlText), expected[i]) << names[i];
    }
    const char* argv[] = {"Mivoka.exe"};
    reset_form(Docomo, InputMode::Text);
    EXPECT_EQ(open_start_document(1, argv), 0);
    EXPECT_EQ(field(ControlText), "resumed");
    IntSettings[SettingResume].value = 0;
    reset_form(Docomo, InputMode::Text);
    EXPECT_EQ(open_start_document(1, argv), 4);
    EXPECT_EQ(field(ControlText), "");
}

TEST_F(DocumentsTest, TheResumeFileIsWrittenOnlyWhenResumeIsOn) {
    set_field(ControlBody, "body");
    ASSERT_EQ(write_resume_file(), 0);
    std::string expected = kEmptyAllModes;
    expected.replace(expected.find("< Address >") - 2, 0, "body");
    EXPECT_EQ(file_bytes(path("resume.txt")), expected);
    IntSettings[SettingResume].value = 0;
    set_field(ControlBody, "changed");
    ASSERT_EQ(write_resume_file(), 0);
    EXPECT_EQ(file_bytes(path("resume.txt")), expected);
}

}  // namespace
