// Mail-address history: the list built from the settings, adding with the
// dialog and the question, replacing, removing, and the domain commands.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "payload/payload.h"
#include "persistence/mail_history.h"
#include "settings/settings_tables.h"
#include "tests/payload/text_support.h"

namespace {

// What the window answers: a display name typed in the dialog (null:
// cancelled) and the answer to the question, with what was asked.
struct Answers {
    const char* displayName = "";
    bool yes = true;
    int dialogs = 0;
    std::vector<UserMessage> questions;
};

bool answer_dialog(const char* address, char* displayName, void* context) {
    Answers* a = static_cast<Answers*>(context);
    ++a->dialogs;
    EXPECT_EQ(std::strchr(address, ' '), nullptr);
    if (a->displayName == nullptr) return false;
    std::snprintf(displayName, kMailEntryBytes, "%s", a->displayName);
    return true;
}

bool answer_question(const UserMessage& question, void* context) {
    Answers* a = static_cast<Answers*>(context);
    a->questions.push_back(question);
    return a->yes;
}

std::string to_field() { return form_field(&g_form, ControlTo); }

std::vector<std::string> list_items() {
    std::vector<std::string> items;
    for (int32_t i = 0; i < g_mailList.count; ++i) items.push_back(g_mailList.items[i]);
    return items;
}

std::vector<std::string> entries() {
    std::vector<std::string> out;
    for (int32_t e = 1; e <= kMailHistoryEntries; ++e) out.push_back(mail_history_entry(e));
    return out;
}

class MailHistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_settings_tables();
        reset_form(Docomo, InputMode::Mail);
        fill_mail_history_list();
    }
    int32_t add(const std::string& to, const char* displayName = "") {
        set_field_bytes(ControlTo, to);
        answers_.displayName = displayName;
        MailHistoryPrompts prompts = {answer_dialog, answer_question, &answers_};
        return add_to_mail_history(prompts);
    }
    int32_t remove(const std::string& to) {
        set_field_bytes(ControlTo, to);
        return remove_from_mail_history();
    }
    // Stores entries 1..n as "u1@x.jp" .. and rebuilds the list.
    void fill_history(int32_t n) {
        for (int32_t e = 1; e <= n; ++e) set_text_setting(find_text_setting(("usrmailv" + std::to_string(e)).c_str()), ("u" + std::to_string(e) + "@x.jp").c_str());
        fill_mail_history_list();
    }
    Answers answers_;
};

TEST_F(MailHistoryTest, TheEmptyHistoryShowsOneEmptyItem) {
    EXPECT_EQ(list_items(), std::vector<std::string>{""});
    EXPECT_EQ(add("a@docomo.ne.jp"), MailHistoryDone);
    EXPECT_TRUE(answers_.questions.empty());
    EXPECT_EQ(list_items(), (std::vector<std::string>{"a@docomo.ne.jp", ""}));
    EXPECT_STREQ(find_text_setting("usrmailv1")->value, "a@docomo.ne.jp");
    EXPECT_EQ(to_field(), "a@docomo.ne.jp");
}

TEST_F(MailHistoryTest, TheListSkipsEmptyLaterEntries) {
    set_text_setting(find_text_setting("usrmailv3"), "c@x.jp");
    set_text_setting(find_text_setting("usrmailv30"), "z@x.jp");
    fill_mail_history_list();
    EXPECT_EQ(list_items(), (std::vector<std::string>{"", "c@x.jp", "z@x.jp"}));
}

TEST_F(MailHistoryTest, AFullHistoryAsksBeforeDroppingEntryThirty) {
    fill_history(30);
    answers_.yes = false;
    std::vector<std::string> before = entries();
    EXPECT_EQ(add("new@x.jp"), MailHistoryNothing);
    ASSERT_EQ(answers_.questions.size(), 1u);
    const UserMessage& q = answers_.questions[0];
    EXPECT_STREQ(q.caption, "delete old e-mail address");
    EXPECT_EQ(q.buttons, ButtonsYesNo);
    EXPECT_EQ(q.icon, 0);
    EXPECT_EQ(std::string(q.text), sjis("一番古い履歴 [u30@x.jp] が削除されます。\nよろしいですか。"));
    EXPECT_EQ(entries(), before);
    EXPECT_EQ(g_mailList.count, 30);

    answers_.yes = true;
    const std::string name = sjis("新しい人");
    EXPECT_EQ(add("new@x.jp", name.c_str()), MailHistoryDone);
    std::vector<std::string> after = entries();
    EXPECT_EQ(after[0], "new@x.jp " + sjis("新しい人"));
    EXPECT_EQ(after[1], "u1@x.jp");
    EXPECT_EQ(after[29], "u29@x.jp");
    EXPECT_EQ(g_mailList.count, 30);
    EXPECT_EQ(list_items(), after);
    EXPECT_EQ(to_field(), "new@x.jp");   // the To field keeps what was typed
}

TEST_F(MailHistoryTest, ReAddingWithAnotherDisplayNameMovesTheEntryUp) {
    fill_history(5);
    EXPECT_EQ(add("u3@x.jp old", "Mr. Three"), MailHistoryReplaced);
    EXPECT_TRUE(answers_.questions.empty());
    std::vector<std::string> e = entries();
    EXPECT_EQ(e[0], "u3@x.jp Mr. Three");
    EXPECT_EQ(e[1], "u1@x.jp");
    EXPECT_EQ(e[2], "u2@x.jp");
    EXPECT_EQ(e[3], "u4@x.jp");
    EXPECT_EQ(e[5], "");
    EXPECT_EQ(list_items(), std::vector<std::string>(e.begin(), e.begin() + 5));
    EXPECT_EQ(to_field(), "u3@x.jp Mr. Three");   // the first item is selected
    // The first entry itself is replaced in place.
    EXPECT_EQ(add("u3@x.jp", ""), MailHistoryReplaced);
    EXPECT_EQ(entries()[0], "u3@x.jp");
    EXPECT_EQ(entries()[1], "u1@x.jp");
}

TEST_F(MailHistoryTest, AddressesCompareExactly) {
    fill_history(2);
    EXPECT_EQ(add("U1@x.jp"), MailHistoryDone);
    EXPECT_EQ(entries()[0], "U1@x.jp");
    EXPECT_EQ(entries()[1], "u1@x.jp");
}

TEST_F(MailHistoryTest, NothingIsAddedWithoutAnAddressOrWhenCancelled) {
    EXPECT_EQ(add(""), MailHistoryNothing);
    EXPECT_EQ(add(" name only"), MailHistoryNothing);
    EXPECT_EQ(answers_.dialogs, 0);
    EXPECT_EQ(add("a@x.jp", nullptr), MailHistoryNothing);
    EXPECT_EQ(answers_.dialogs, 1);
    EXPECT_EQ(entries()[0], "");
    EXPECT_EQ(list_items(), std::vector<std::string>{""});
}

TEST_F(MailHistoryTest, RemovingNeedsTheWholeText) {
    EXPECT_EQ(add("a@x.jp"), MailHistoryDone);
    EXPECT_EQ(add("b@x.jp", "B"), MailHistoryDone);
    EXPECT_EQ(remove("b@x.jp"), MailHistoryNothing);
    EXPECT_EQ(remove(""), MailHistoryNothing);
    EXPECT_EQ(list_items(), (std::vector<std::string>{"b@x.jp B", "a@x.jp", ""}));
    EXPECT_EQ(remove("b@x.jp B"), MailHistoryDone);
    EXPECT_EQ(list_items(), (std::vector<std::string>{"a@x.jp", ""}));
    EXPECT_EQ(entries()[0], "a@x.jp");
    EXPECT_EQ(entries()[1], "");
    EXPECT_EQ(to_field(), "b@x.jp B");
    EXPECT_EQ(remove("a@x.jp"), MailHistoryDone);
    EXPECT_EQ(list_items(), std::vector<std::string>{""});
}

TEST_F(MailHistoryTest, RemovingFromAFullHistoryEmptiesEntryThirty) {
    fill_history(30);
    EXPECT_EQ(remove("u10@x.jp"), MailHistoryDone);
    std::vector<std::string> e = entries();
    EXPECT_EQ(e[8], "u9@x.jp");
    EXPECT_EQ(e[9], "u11@x.jp");
    EXPECT_EQ(e[28], "u30@x.jp");
    EXPECT_EQ(e[29], "");
    EXPECT_EQ(g_mailList.count, 29);
    // With 29 items a new address goes in without a question.
    EXPECT_EQ(add("n@x.jp"), MailHistoryDone);
    EXPECT_TRUE(answers_.questions.empty());
    EXPECT_EQ(entries()[29], "u30@x.jp");
}

TEST_F(MailHistoryTest, TheDomains) {
    EXPECT_STREQ(MailDomains[0].suffix, "@docomo.ne.jp");
    EXPECT_STREQ(MailDomains[1].suffix, "@ezweb.ne.jp");
    EXPECT_STREQ(MailDomains[2].suffix, "@softbank.ne.jp");
    for (int32_t i = 0; i < kMailDomainCount; ++i) {
        const MailDomain& d = MailDomains[i];
        EXPECT_EQ(d.command, CommandFirstMailDomain + i);
        EXPECT_EQ(d.suffix[0], '@');
        EXPECT_EQ(std::string(d.label), std::string("*") + d.suffix);
        EXPECT_LT(std::strlen(d.label), static_cast<size_t>(kMailDomainBytes));
        for (int32_t j = 0; j < i; ++j) EXPECT_STRNE(MailDomains[j].suffix, d.suffix);
    }
    HistoryMenuItem items[kHistoryMenuItemCount];
    history_menu_items(items);
    EXPECT_EQ(items[0].command, CommandAddToMailHistory);
    EXPECT_EQ(std::string(items[0].text), sjis("左のアドレスを履歴に追加"));
    EXPECT_EQ(std::string(items[1].text), sjis("左のアドレスを履歴から削除"));
    for (int32_t i = 2; i < kHistoryMenuItemCount; ++i) {
        EXPECT_EQ(items[i].separatorBefore, i < 6) << i;
        EXPECT_STREQ(items[i].text, MailDomains[i - 2].label);
    }
}

TEST_F(MailHistoryTest, DomainCommandsReplaceFromTheFirstAt) {
    struct Case {
        std::string to;
        int32_t command;
        std::string result;
    };
    const Case cases[] = {
        {"taro", IDM_DOMAIN_FIRST, "taro@docomo.ne.jp"},
        {"taro@gmail.com", IDM_DOMAIN_FIRST + 1, "taro@ezweb.ne.jp"},
        {"a@b@c", IDM_DOMAIN_FIRST + 2, "a@softbank.ne.jp"},
        {"@only", IDM_DOMAIN_FIRST, "@docomo.ne.jp"},
        {"", IDM_DOMAIN_LAST, "@icloud.com"},
        // 0x40 as the second byte of a double-byte character is no "@".
        {sjis("ァ") + "x", IDM_DOMAIN_FIRST, sjis("ァ") + "x@docomo.ne.jp"},
        {sjis("ァ@ァ"), IDM_DOMAIN_FIRST, sjis("ァ") + "@docomo.ne.jp"},
    };
    for (const Case& c : cases) {
        set_field_bytes(ControlTo, c.to);
        EXPECT_EQ(complete_mail_domain(c.command), MailHistoryDone);
        EXPECT_EQ(to_field(), c.result) << c.to;
    }
    set_field_bytes(ControlTo, "keep");
    EXPECT_EQ(complete_mail_domain(IDM_DOMAIN_FIRST - 1), MailHistoryNothing);
    EXPECT_EQ(complete_mail_domain(IDM_DOMAIN_LAST + 1), MailHistoryNothing);
    EXPECT_EQ(to_field(), "keep");
}

TEST_F(MailHistoryTest, ALongTextWithALongDomainStaysBounded) {
    const MailDomain* longest = &MailDomains[0];
    for (const MailDomain& d : MailDomains) {
        if (std::strlen(d.suffix) > std::strlen(longest->suffix)) longest = &d;
    }
    set_field_bytes(ControlTo, std::string(190, 'n'));
    EXPECT_EQ(complete_mail_domain(longest->command), MailHistoryDone);
    EXPECT_EQ(to_field(), std::string(kMailDomainInputBytes, 'n') + longest->suffix);
    EXPECT_LE(to_field().size(), static_cast<size_t>(kMailDomainResultBytes));
    // A double-byte character over the 126th byte is left out whole.
    set_field_bytes(ControlTo, std::string(125, 'n') + sjis("漢"));
    complete_mail_domain(longest->command);
    EXPECT_EQ(to_field(), std::string(125, 'n') + longest->suffix);
}

TEST_F(MailHistoryTest, LongEntriesAreCutTo127Bytes) {
    std::string address = std::string(100, 'a') + "@x.jp";
    EXPECT_EQ(add(address, "a display name that is far too long to fit"), MailHistoryDone);
    std::string stored = entries()[0];
    EXPECT_EQ(stored.size(), 127u);
    EXPECT_EQ(stored.substr(0, address.size() + 1), address + " ");
}

}  // namespace
