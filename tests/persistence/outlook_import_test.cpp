// Outlook CSV import: realistic exports with Japanese headers, quoted fields
// holding commas, quotes and line breaks, joined names and addresses, the
// row limit, birthdays, stepping through the records and clearing them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "payload/payload.h"
#include "persistence/outlook_import.h"
#include "settings/settings_tables.h"
#include "tests/payload/text_support.h"
#include "tests/persistence/settings_env_support.h"

namespace {

std::string field(int32_t control) { return form_field(&g_form, control); }

// The address fields of the form, in record order, back in UTF-8.
std::string form_record() {
    std::string out;
    for (int32_t c : kAddressControls) out += utf8_of(field(c)) + "|";
    return out;
}

class OutlookImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fresh_settings_env();
        reset_form(Docomo, InputMode::Text);
        clear_import_records();
        std::memset(&g_import, 0, sizeof g_import);
    }
    // Writes the UTF-8 text as a Shift_JIS export and imports it.
    int32_t import_text(const std::string& utf8) {
        write_file(folder_ + "contacts.csv", sjis(utf8));
        return import_outlook_csv((folder_ + "contacts.csv").c_str(), kImportRowLimit);
    }
    std::string folder_;
};

// An export as Outlook writes it: every field quoted, columns the import
// does not know between the ones it does.
const std::string kExport =
    "\"敬称\",\"名\",\"ミドル ネーム\",\"姓\",\"会社名\",\"自宅の番地\",\"自宅の市区町村\",\"自宅の都道府県\","
    "\"自宅電話\",\"携帯電話\",\"電子メール アドレス\",\"電子メール 2 アドレス\",\"誕生日\",\"メモ\","
    "\"個人 Web ページ\",\"姓ﾌﾘｶﾞﾅ\",\"名前ﾌﾘｶﾞﾅ\"\r\n"
    "\"\",\"太郎\",\"\",\"山田\",\"株式会社 \"\"見本\"\"\",\"丸の内1-1\r\n見本ビル 3F\",\"千代田区\",\"東京都\","
    "\"03-1234-5678\",\"090-1111-2222\",\"taro@example.jp\",\"taro2@example.jp\",\"1990/1/2\","
    "\"メモ, カンマ入り\",\"http://example.jp/\",\"ﾔﾏﾀﾞ\",\"ﾀﾛｳ\"\r\n"
    "\"\",\"\",\"\",\"\",\"会社だけ\",\"\",\"\",\"\",\"06-0000-0000\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
    "\"\",\"花子\",\"\",\"\",\"\",\"\",\"\",\"大阪府\",\"\",\"080-3333-4444\",\"\",\"\",\"0/0/00\",\"\",\"\",\"\",\"ﾊﾅｺ\"\r\n";

TEST_F(OutlookImportTest, ARealisticExport) {
    ASSERT_EQ(import_text(kExport), 0);
    EXPECT_TRUE(g_import.inEffect);
    EXPECT_EQ(g_import.count, 3);   // two records plus one; the company-only line is dropped
    EXPECT_EQ(g_import.current, 1);
    EXPECT_EQ(form_record(),
              "山田 太郎|ﾀﾛｳ ﾔﾏﾀﾞ|03-1234-5678|090-1111-2222||taro@example.jp|||メモ, カンマ入り|"
              "東京都千代田区丸の内1-1 見本ビル 3F|1990/01/02|http://example.jp/|");
    // The record itself keeps the rewritten birthday.
    EXPECT_STREQ(ImportRecords[1].fields[ImportBirthday], "1990/01/02");
    show_import_record(2);
    // Nothing of the dropped line, no address without a city, no birthday
    // from "0/0/00", and none left from the record shown before.
    EXPECT_EQ(form_record(), "花子|ﾊﾅｺ|080-3333-4444||||||||||");
}

TEST_F(OutlookImportTest, TheImportSwitchesToAddressMode) {
    ASSERT_EQ(import_text(kExport), 0);
    EXPECT_EQ(g_form.mode, 2);
    EXPECT_EQ(IntSettings[SettingMode].value, 2);
}

TEST_F(OutlookImportTest, QuotedHeaderNamesAreBoundAndNamesJoined) {
    ASSERT_EQ(import_text("\"姓\",\"名\",\"携帯電話\",\"電子メール アドレス\"\r\n鈴木,一郎,090-1,a@b.jp\r\n"), 0);
    EXPECT_EQ(form_record(), "鈴木 一郎||090-1|||a@b.jp|||||||");
}

TEST_F(OutlookImportTest, UnquotedFieldsAndBareLineFeedsAlsoRead) {
    ASSERT_EQ(import_text("氏名,電話番号\n佐藤,111\n\n伊藤,222"), 0);
    EXPECT_EQ(g_import.count, 3);
    EXPECT_EQ(utf8_of(ImportRecords[1].fields[ImportName]), "佐藤");
    EXPECT_EQ(utf8_of(ImportRecords[2].fields[ImportPhone1]), "222");
}

TEST_F(OutlookImportTest, AnEmptyFirstLineLeavesNoColumnBound) {
    EXPECT_EQ(import_text("\r\n\"姓\",\"名\"\r\n山田,太郎\r\n"), 1);
    EXPECT_FALSE(g_import.inEffect);
    EXPECT_EQ(ImportRecords[1].fields[ImportName][0], '\0');
}

TEST_F(OutlookImportTest, AMissingFileOrUnknownHeadersFail) {
    EXPECT_EQ(import_outlook_csv((folder_ + "none.csv").c_str(), kImportRowLimit), 1);
    EXPECT_EQ(import_text("Name,Phone\r\nA,1\r\n"), 1);   // an English export
    EXPECT_FALSE(g_import.inEffect);
    EXPECT_EQ(g_form.mode, 0);
}

TEST_F(OutlookImportTest, AHeaderOnlyFileImportsNoRecord) {
    set_field(ControlName, "前の名前");
    set_field(ControlBirthday, "2000/01/01");
    ASSERT_EQ(import_text("\"姓\",\"名\"\r\n"), 0);
    EXPECT_EQ(g_import.count, 1);
    EXPECT_EQ(form_record(), "||||||||||||");
}

TEST_F(OutlookImportTest, OneHundredFiftyContactsGiveNinetyNineRecords) {
    std::string csv = "\"姓\",\"名\",\"携帯電話\"\r\n";
    for (int i = 1; i <= 150; ++i) csv += "姓" + std::to_string(i) + ",名,090-" + std::to_string(i) + "\r\n";
    ASSERT_EQ(import_text(csv), 0);
    EXPECT_EQ(g_import.count, 100);
    show_import_record(99);
    EXPECT_EQ(utf8_of(field(ControlName)), "姓99 名");
    EXPECT_EQ(field(ControlPhone1), "090-99");
}

TEST_F(OutlookImportTest, TheRowLimitCountsRecordsNotLines) {
    std::string csv = "\"姓\",\"住所\"\r\n";
    for (int i = 1; i <= 99; ++i) csv += "\"人" + std::to_string(i) + "\",\"一行目\r\n二行目\r\n三行目\"\r\n";
    ASSERT_EQ(import_text(csv), 0);
    EXPECT_EQ(g_import.count, 100);
    EXPECT_EQ(utf8_of(ImportRecords[99].fields[ImportPostal]), "一行目 二行目 三行目");
    // Empty lines count as read records.
    std::string gaps = "\"姓\"\r\n";
    for (int i = 0; i < 50; ++i) gaps += "\r\n";
    for (int i = 1; i <= 60; ++i) gaps += "N" + std::to_string(i) + "\r\n";
    ASSERT_EQ(import_text(gaps), 0);
    EXPECT_EQ(g_import.count, 50);
}

TEST_F(OutlookImportTest, ColumnsBindOnceAndBothMobileNamesArePhones) {
    ASSERT_EQ(import_text("\"携帯電話 \",\"携帯電話\",\"姓\",\"姓\"\r\n1,2,first,second\r\n"), 0);
    EXPECT_EQ(form_record(), "first||2|1|||||||||");
}

TEST_F(OutlookImportTest, PreferredColumnsWin) {
    const std::string csv =
        "名前,表示名,ﾌﾘｶﾞﾅ,ニックネーム,ﾒﾓ,備考,住所,自宅の市区町村,生年月日,誕生日,ビジネス Web ページ,個人 Web ページ,"
        "電子ﾒｰﾙ 3,ﾒｰﾙｱﾄﾞﾚｽ,電子メール 1,電子メール 2\r\n"
        "名前欄,表示名欄,ﾌﾘ,ﾆｯｸ,めも,びこう,住所欄,市区,1980/12/31,1970/1/1,b.jp,p.jp,m3,m0,m1,m2\r\n"
        "名前欄,,,,,,,,1980-12-31,,b.jp,,,,,\r\n";
    ASSERT_EQ(import_text(csv), 0);
    EXPECT_EQ(form_record(), "表示名欄|ﾆｯｸ||||m0|m1|m2|めも|住所欄|1970/01/01|p.jp|");
    show_import_record(2);
    EXPECT_EQ(form_record(), "名前欄||||||||||1980/12/31|b.jp|");
}

TEST_F(OutlookImportTest, JoinsNeedTheirMiddlePart) {
    ASSERT_EQ(import_text("姓,自宅の都道府県,自宅の市区町村,自宅の番地\r\nA,東京都,,1-1\r\nB,,港区,2-2\r\n"), 0);
    EXPECT_EQ(utf8_of(ImportRecords[1].fields[ImportPostal]), "");
    EXPECT_EQ(utf8_of(ImportRecords[2].fields[ImportPostal]), "港区2-2");
}

TEST_F(OutlookImportTest, LongValuesAreCutBetweenCharacters) {
    std::string name;
    for (int i = 0; i < 60; ++i) name += "漢";
    ASSERT_EQ(import_text("氏名,メモ\r\n\"" + name + "\",x" + name + name + name + name + name + name + name + name + name + "\r\n"), 0);
    EXPECT_EQ(std::strlen(ImportRecords[1].fields[ImportName]), 98u);
    EXPECT_EQ(std::strlen(ImportRecords[1].fields[ImportNote]), 99u);
}

// A quote that never closes is no quoting: its line is read again as plain
// comma-separated text and every later contact comes back.
TEST_F(OutlookImportTest, AQuoteLeftOpenToTheEndReadsItsLineAsPlainText) {
    const struct {
        const char* what;
        const char* csv;
        int32_t count;
        const char* records[3];   // name|phone|note
    } rows[] = {
        {"in the first memo", "姓,携帯電話,メモ\r\nA,1,\"5インチ\r\nB,2,x\r\nC,3,y\r\n", 4,
         {"A|1|5インチ", "B|2|x", "C|3|y"}},
        {"in the last memo, no final line break", "姓,携帯電話,メモ\r\nA,1,x\r\nB,2,y\r\nC,3,\"5インチ", 4,
         {"A|1|x", "B|2|y", "C|3|5インチ"}},
        {"after a closed quote on its line", "姓,携帯電話,メモ\r\n\"A\",\"1\",\"5\"\"\",\"7インチ\r\nB,2,x\r\n", 3,
         {"A|1|5", "B|2|x", ""}},
        {"in the header", "姓,携帯電話,\"メモ\r\nA,1,x\r\nB,2,y\r\n", 3, {"A|1|x", "B|2|y", ""}},
        {"before the end-of-file mark", "姓,携帯電話,メモ\r\nA,1,\"5インチ\r\nB,2,x\r\n\x1A" "C,3,y\r\n", 3,
         {"A|1|5インチ", "B|2|x", ""}},
    };
    for (const auto& r : rows) {
        ASSERT_EQ(import_text(r.csv), 0) << r.what;
        EXPECT_EQ(g_import.count, r.count) << r.what;
        for (int32_t k = 0; k < 3; ++k) {
            const ImportRecord& rec = ImportRecords[k + 1];
            std::string got = rec.fields[ImportName][0] == '\0'
                                  ? ""
                                  : utf8_of(rec.fields[ImportName]) + "|" + rec.fields[ImportPhone1] + "|" +
                                        utf8_of(rec.fields[ImportNote]);
            EXPECT_EQ(got, r.records[k]) << r.what << ", record " << k + 1;
        }
    }
}

TEST_F(OutlookImportTest, TheFileEndsAtTheEndOfFileMark) {
    ASSERT_EQ(import_text("氏名\r\nA\r\n\x1A" "B\r\n"), 0);
    EXPECT_EQ(g_import.count, 2);
}

TEST_F(OutlookImportTest, TheSpinStepsOneRecordAtATime) {
    ASSERT_EQ(import_text("氏名\r\nA\r\nB\r\nC\r\n"), 0);
    struct Step {
        int32_t position;
        const char* shown;
    };
    const Step steps[] = {{1, "B"}, {1, "A"}, {5, "B"}, {9, "C"}, {10, "C"}, {0, "B"}, {0, "A"}, {-3, "A"}};
    for (const Step& s : steps) {
        step_import_record(s.position);
        EXPECT_EQ(field(ControlName), s.shown) << "position " << s.position;
    }
}

TEST_F(OutlookImportTest, ClearingEmptiesRecordsAndFields) {
    ASSERT_EQ(import_text(kExport), 0);
    clear_import_records();
    EXPECT_FALSE(g_import.inEffect);
    EXPECT_EQ(form_record(), "||||||||||||");
    show_import_record(1);
    EXPECT_EQ(form_record(), "||||||||||||");
}

TEST_F(OutlookImportTest, AFailedImportEmptiesTheRecordsButKeepsAnEarlierImport) {
    ASSERT_EQ(import_text(kExport), 0);
    EXPECT_EQ(import_outlook_csv((folder_ + "none.csv").c_str(), kImportRowLimit), 1);
    EXPECT_TRUE(g_import.inEffect);
    EXPECT_EQ(ImportRecords[1].fields[ImportName][0], '\0');
}

TEST_F(OutlookImportTest, TheHeaderTable) {
    EXPECT_EQ(utf8_of(ImportHeaders[0]), "表示名");
    EXPECT_EQ(utf8_of(ImportHeaders[10]), "ﾌﾘｶﾞﾅ");
    EXPECT_EQ(utf8_of(ImportHeaders[24]), "携帯電話 ");
    EXPECT_EQ(utf8_of(ImportHeaders[58]), "ビジネス Web ページ");
    for (int32_t i = 0; i < kImportHeaderCount; ++i) {
        for (int32_t j = i + 1; j < kImportHeaderCount; ++j) EXPECT_STRNE(ImportHeaders[i], ImportHeaders[j]) << i << " " << j;
    }
}

}  // namespace
