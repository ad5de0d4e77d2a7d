// The mail-address history of the To field: 30 remembered entries (the
// text settings "usrmailv1" newest to "usrmailv30" oldest), the To combo
// box's list kept in step with them, and the carriers' and free-mail domains
// that complete a typed address. Commands read and write the To field
// through g_form; the window shows the list (g_mailList) and answers the
// dialog and the question through MailHistoryPrompts. Main thread only.
#pragma once

#include <cstdint>

#include "persistence/start_up.h"
#include "resources/resource.h"

constexpr int32_t kMailHistoryEntries = 30;
constexpr int32_t kMailEntryBytes = 128;     // an entry: at most 127 bytes
constexpr int32_t kMailListItems = kMailHistoryEntries + 1;

// Command ids of the history menu.
enum MailHistoryCommand : int32_t {
    CommandAddToMailHistory = IDM_HISTORY_ADD, CommandRemoveFromMailHistory = IDM_HISTORY_REMOVE,
    CommandFirstMailDomain = IDM_DOMAIN_FIRST
};

// The To combo box's list: after filling, item i stands for history entry
// i + 1. An empty history shows one empty item.
struct MailHistoryList {
    int32_t count;
    char items[kMailListItems][kMailEntryBytes];
};
extern MailHistoryList g_mailList;

// Builds g_mailList from the history once, when the main form is created:
// entry 1 always, entries 2-30 only when not empty.
void fill_mail_history_list();

// History entry (1-30) as stored in the settings, or "" out of range.
const char* mail_history_entry(int32_t entry);

// --- Domains and the menu -----------------------------------------------------------

constexpr int32_t kMailDomainCount = 11;
constexpr int32_t kMailDomainBytes = 32;   // suffix and label: at most 31 bytes

struct MailDomain {
    int32_t command;                 // IDM_DOMAIN_FIRST to IDM_DOMAIN_LAST in table order
    char suffix[kMailDomainBytes];   // "@" and the domain
    char label[kMailDomainBytes];    // "*" and the suffix, as the menu shows it
};
// docomo, au, softbank, softbank's second domain, then further carriers and
// free-mail services.
extern const MailDomain MailDomains[kMailDomainCount];

struct HistoryMenuItem {
    int32_t command;
    const char* text;       // Shift_JIS
    bool separatorBefore;
};
constexpr int32_t kHistoryMenuItemCount = 2 + kMailDomainCount;
// The "+" button's popup menu in order: add, remove, then the domains, with
// a separator before each of the first four. The window shows it at the
// cursor and the chosen item arrives as its command.
void history_menu_items(HistoryMenuItem (&out)[kHistoryMenuItemCount]);

// --- Commands ------------------------------------------------------------------------

// What the window answers while an address is added.
struct MailHistoryPrompts {
    // Dialog IDD_ADD_ADDRESS "メールアドレスを履歴に追加": address shown read-only, the
    // display name (room kMailEntryBytes, pre-filled) editable. false when
    // cancelled or closed.
    bool (*ask_display_name)(const char* address, char* displayName, void* context);
    // A Yes/No question; true for Yes.
    bool (*confirm)(const UserMessage& question, void* context);
    void* context;
};

enum MailHistoryResult : int32_t { MailHistoryDone = 0, MailHistoryReplaced = 2, MailHistoryNothing = 4 };

// Command IDM_HISTORY_ADD on the To field (at most 127 bytes). MailHistoryDone: a new
// entry 1, inserted as the first list item (with 30 items, entry 30 is
// dropped once the question naming it was answered Yes); the To field keeps
// its text. MailHistoryReplaced: the entry with the same address moved to
// the top with its new text, the first list item is selected and g_form's To
// holds it. MailHistoryNothing: empty address, dialog cancelled or No.
int32_t add_to_mail_history(const MailHistoryPrompts& prompts);

// Command IDM_HISTORY_REMOVE: removes the first entry equal to the whole To text and its
// list item. MailHistoryDone, or MailHistoryNothing when none is equal (an
// unused place never is).
int32_t remove_from_mail_history();

// Longest To text a domain command reads, and its longest result: every
// result fits the To field whole.
constexpr int32_t kMailDomainInputBytes = 126;
constexpr int32_t kMailDomainResultBytes = kMailDomainInputBytes + kMailDomainBytes - 1;

// Commands IDM_DOMAIN_FIRST to IDM_DOMAIN_LAST: the To text (at most 126 bytes) cut at its first
// "@" (whole characters only) and the domain's suffix appended, at most
// kMailDomainResultBytes bytes. MailHistoryDone, or MailHistoryNothing for
// another command id.
int32_t complete_mail_domain(int32_t command);
