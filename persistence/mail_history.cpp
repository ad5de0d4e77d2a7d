// The mail-address history: entries edited in a work copy of the settings,
// the list kept in step, and the domain completion. Fixed buffers only.
#include "persistence/mail_history.h"

#include <cstdio>
#include <cstring>

#include "payload/payload.h"
#include "persistence/settings_store.h"
#include "resources/messages.h"

MailHistoryList g_mailList;

const MailDomain MailDomains[kMailDomainCount] = {
    {IDM_DOMAIN_FIRST, "@docomo.ne.jp", "*@docomo.ne.jp"},
    {IDM_DOMAIN_FIRST + 1, "@ezweb.ne.jp", "*@ezweb.ne.jp"},
    {IDM_DOMAIN_FIRST + 2, "@softbank.ne.jp", "*@softbank.ne.jp"},
    {IDM_DOMAIN_FIRST + 3, "@i.softbank.jp", "*@i.softbank.jp"},
    {IDM_DOMAIN_FIRST + 4, "@au.com", "*@au.com"},
    {IDM_DOMAIN_FIRST + 5, "@ymobile.ne.jp", "*@ymobile.ne.jp"},
    {IDM_DOMAIN_FIRST + 6, "@willcom.com", "*@willcom.com"},
    {IDM_DOMAIN_FIRST + 7, "@gmail.com", "*@gmail.com"},
    {IDM_DOMAIN_FIRST + 8, "@yahoo.co.jp", "*@yahoo.co.jp"},
    {IDM_DOMAIN_FIRST + 9, "@outlook.jp", "*@outlook.jp"},
    {IDM_DOMAIN_FIRST + 10, "@icloud.com", "*@icloud.com"}};

namespace {

const int32_t kFirstMailSetting = 1;   // "usrmailv1" in TextSettings

// The entries while a command edits them: index 0 is entry 1.
char workScratch[kMailHistoryEntries][kMailEntryBytes];

// Copies text into an entry-sized buffer, cut to 127 bytes between characters.
void copy_entry(char* dst, const char* text) {
    int32_t n = char_boundary_length(text, kMailEntryBytes - 1);
    std::memmove(dst, text, static_cast<size_t>(n));
    dst[n] = '\0';
}

void load_work() {
    for (int32_t i = 0; i < kMailHistoryEntries; ++i) copy_entry(workScratch[i], TextSettings[kFirstMailSetting + i].value);
}

void store_work() {
    for (int32_t i = 0; i < kMailHistoryEntries; ++i) set_text_setting(&TextSettings[kFirstMailSetting + i], workScratch[i]);
}

// Entries [0, k) move one place down; entry 1 becomes text (the last is lost).
void push_front(int32_t k, const char* text) {
    for (int32_t i = k; i > 0; --i) std::memcpy(workScratch[i], workScratch[i - 1], kMailEntryBytes);
    copy_entry(workScratch[0], text);
}

void insert_first_item(const char* text) {
    int32_t last = g_mailList.count < kMailListItems ? g_mailList.count : kMailListItems - 1;
    for (int32_t i = last; i > 0; --i) std::memcpy(g_mailList.items[i], g_mailList.items[i - 1], kMailEntryBytes);
    copy_entry(g_mailList.items[0], text);
    if (g_mailList.count < kMailListItems) ++g_mailList.count;
}

void delete_item(int32_t item) {
    if (item < 0 || item >= g_mailList.count) return;
    for (int32_t i = item; i + 1 < g_mailList.count; ++i) std::memcpy(g_mailList.items[i], g_mailList.items[i + 1], kMailEntryBytes);
    --g_mailList.count;
}

// Index of the first entry whose address part is address, or -1.
int32_t find_address(const char* address) {
    char part[kMailEntryBytes];
    for (int32_t i = 0; i < kMailHistoryEntries; ++i) {
        cut_at_char(part, workScratch[i], ' ', 0);
        if (part[0] != '\0' && std::strcmp(part, address) == 0) return i;
    }
    return -1;
}

// The question before the oldest entry is dropped.
void drop_oldest_question(UserMessage* m) {
    std::memset(m, 0, sizeof *m);
    m->show = 1;
    m->owner = OwnerMainForm;
    m->buttons = ButtonsYesNo;
    std::snprintf(m->caption, sizeof m->caption, "%s", kMailHistoryDropOldestCaption);
    std::snprintf(m->text, sizeof m->text, kMailHistoryDropOldestFormat, workScratch[kMailHistoryEntries - 1]);
}

// Steps 4-6 of adding: entry is the new text, address its address part.
int32_t put_entry(const char* entry, const char* address, const MailHistoryPrompts& prompts) {
    int32_t k = find_address(address);
    if (k < 0) {
        if (g_mailList.count >= kMailHistoryEntries) {
            static UserMessage question;
            drop_oldest_question(&question);
            if (!prompts.confirm(question, prompts.context)) return MailHistoryNothing;
        }
        push_front(kMailHistoryEntries - 1, entry);
        insert_first_item(entry);
        if (g_mailList.count > kMailHistoryEntries) delete_item(kMailHistoryEntries);
        return MailHistoryDone;
    }
    delete_item(k);
    insert_first_item(entry);
    push_front(k, entry);
    set_form_field(&g_form, ControlTo, workScratch[0], static_cast<int32_t>(std::strlen(workScratch[0])));
    return MailHistoryReplaced;
}

}  // namespace

void fill_mail_history_list() {
    g_mailList.count = 0;
    for (int32_t entry = 1; entry <= kMailHistoryEntries; ++entry) {
        const char* text = mail_history_entry(entry);
        if (entry == 1 || text[0] != '\0') copy_entry(g_mailList.items[g_mailList.count++], text);
    }
}

const char* mail_history_entry(int32_t entry) {
    if (entry < 1 || entry > kMailHistoryEntries) return "";
    return TextSettings[kFirstMailSetting + entry - 1].value;
}

void history_menu_items(HistoryMenuItem (&out)[kHistoryMenuItemCount]) {
    out[0] = {CommandAddToMailHistory, kMailHistoryAddLabel, false};
    out[1] = {CommandRemoveFromMailHistory, kMailHistoryRemoveLabel, false};
    for (int32_t i = 0; i < kMailDomainCount; ++i) out[2 + i] = {MailDomains[i].command, MailDomains[i].label, i < 4};
}

int32_t add_to_mail_history(const MailHistoryPrompts& prompts) {
    char to[kMailEntryBytes], address[kMailEntryBytes], name[kMailEntryBytes];
    read_field(&g_form, ControlTo, to, kMailEntryBytes - 1);
    cut_at_char(address, to, ' ', 0);
    if (address[0] == '\0') return MailHistoryNothing;
    cut_at_char(name, to, ' ', 1);
    if (!prompts.ask_display_name(address, name, prompts.context)) return MailHistoryNothing;
    name[kMailEntryBytes - 1] = '\0';
    char entry[2 * kMailEntryBytes];
    std::snprintf(entry, sizeof entry, "%s%s%s", address, name[0] == '\0' ? "" : " ", name);
    load_work();
    int32_t result = put_entry(entry, address, prompts);
    if (result != MailHistoryNothing) store_work();
    return result;
}

int32_t remove_from_mail_history() {
    char to[kMailEntryBytes];
    read_field(&g_form, ControlTo, to, kMailEntryBytes - 1);
    if (to[0] == '\0') return MailHistoryNothing;
    load_work();
    for (int32_t k = 0; k < kMailHistoryEntries; ++k) {
        if (std::strcmp(workScratch[k], to) != 0) continue;
        for (int32_t i = k; i + 1 < kMailHistoryEntries; ++i) std::memcpy(workScratch[i], workScratch[i + 1], kMailEntryBytes);
        workScratch[kMailHistoryEntries - 1][0] = '\0';
        delete_item(k);
        store_work();
        return MailHistoryDone;
    }
    return MailHistoryNothing;
}

int32_t complete_mail_domain(int32_t command) {
    const MailDomain* domain = nullptr;
    for (const MailDomain& d : MailDomains) {
        if (d.command == command) domain = &d;
    }
    if (domain == nullptr) return MailHistoryNothing;
    char text[kMailDomainResultBytes + 1];
    read_field(&g_form, ControlTo, text, kMailDomainInputBytes);
    // "@" (0x40) can be the second byte of a double-byte character.
    int32_t i = 0;
    while (text[i] != '\0' && text[i] != '@') i += sjis_char_length(text + i);
    std::snprintf(text + i, sizeof text - static_cast<size_t>(i), "%s", domain->suffix);
    set_form_field(&g_form, ControlTo, text, static_cast<int32_t>(std::strlen(text)));
    return MailHistoryDone;
}
