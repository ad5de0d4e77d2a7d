// The single CodeList and the generation error, shared by the pass that
// writes them and the window's readers; one short lock keeps every copy whole.
#include <cstdio>
#include <cstring>
#include <mutex>

#include "pipeline/generation.h"
#include "resources/messages.h"

const ErrorEntry ErrorTable[kErrorCount + 1] = {
    {ErrorPlain, ""},
    // 文字がありません。
    {ErrorPlain, kMsgNoText},
    // QRコードの作成に失敗しました。
    {ErrorPlain, kMsgCreateFailed},
    {ErrorPlain, ""},
    // 名前 と 電話番号 のどちらも空欄です。
    {ErrorPlain, kMsgNameAndPhoneEmpty},
    // URLが空欄です。
    {ErrorPlain, kMsgUrlEmpty},
    // ▲エラー▲\nQR2DLL.dllが読み込めません。m(_ _)m
    {ErrorPlain, kMsgExternalEncoderMissing},
    // 誕生日は、年/月/日 の形式にしてください。
    {ErrorPlain, kMsgBirthdayFormat},
    // 電話番号%d が正しく解釈できません。
    {ErrorWithInteger, kMsgPhoneUnreadable},
    // フリガナが正しく解釈できません。
    {ErrorPlain, kMsgFuriganaUnreadable},
    // 1つのQRコードに入りません。
    {ErrorPlain, kMsgTextTooLong},
    // メールが長すぎます（UTF-8で%dバイト）。本文を短くしてください。
    {ErrorWithInteger, kMsgMailUriTooLong},
};

namespace {

std::mutex g_listLock;
CodeList g_codeList;
int32_t g_error = 0;
int32_t g_errorArgument = 0;

// Only the cells of the code's own size carry anything.
int32_t used_cells(int32_t version) {
    if (version < 1 || version > 40) return kCodeMatrixCells;
    int32_t n = 4 * version + 17;
    return n * n;
}

void copy_code(CodeSlot* to, const CodeSlot& from) {
    std::memcpy(to->text, from.text, sizeof to->text);
    to->version = from.version;
    std::memcpy(to->matrix, from.matrix, sizeof(int32_t) * static_cast<size_t>(used_cells(from.version)));
}

}  // namespace

int32_t read_code(int32_t index, CodeSlot* out) {
    std::lock_guard<std::mutex> lock(g_listLock);
    if (index < 0 || index >= g_codeList.count) return 1;
    copy_code(out, g_codeList.slots[index]);
    return 0;
}

int32_t read_code_text(int32_t index, char* text, int32_t* version) {
    std::lock_guard<std::mutex> lock(g_listLock);
    if (index < 0 || index >= g_codeList.count) return 1;
    std::memcpy(text, g_codeList.slots[index].text, kCodeTextBytes);
    *version = g_codeList.slots[index].version;
    return 0;
}

void read_code_count(int32_t* count, int32_t* current) {
    std::lock_guard<std::mutex> lock(g_listLock);
    *count = g_codeList.count;
    *current = g_codeList.current;
}

int32_t set_current_code(int32_t current) {
    std::lock_guard<std::mutex> lock(g_listLock);
    if (current < 0 || current >= g_codeList.count) return 1;
    g_codeList.current = current;
    return 0;
}

void publish_code(int32_t index, const CodeSlot* code) {
    if (index < 0 || index >= kMaxCodes) return;
    std::lock_guard<std::mutex> lock(g_listLock);
    copy_code(&g_codeList.slots[index], *code);
    g_codeList.count = index + 1;
    g_codeList.current = 0;
}

void clear_code_list() {
    std::lock_guard<std::mutex> lock(g_listLock);
    g_codeList.count = 0;
    g_codeList.current = 0;
}

int32_t generation_error(int32_t* argument) {
    std::lock_guard<std::mutex> lock(g_listLock);
    if (argument != nullptr) *argument = g_errorArgument;
    return g_error;
}

void set_generation_error(int32_t code, int32_t argument) {
    std::lock_guard<std::mutex> lock(g_listLock);
    g_error = code >= 0 && code <= kErrorCount ? code : 0;
    g_errorArgument = argument;
}

void format_error_message(int32_t code, int32_t argument, char* out) {
    const ErrorEntry& e = ErrorTable[code >= 0 && code <= kErrorCount ? code : 0];
    if (e.kind == ErrorWithInteger) {
        std::snprintf(out, 128, e.message, argument);
    } else {
        std::snprintf(out, 128, "%s", e.message);
    }
}

void generation_error_message(char* out) {
    int32_t argument = 0;
    int32_t code = generation_error(&argument);
    format_error_message(code, argument, out);
}
