// The single CodeList and the generation error, shared by the pass that
// writes them and the window's readers; one short lock keeps every copy whole.
#include <cstdio>
#include <cstring>
#include <mutex>

#include "pipeline/generation.h"

const ErrorEntry ErrorTable[kErrorCount + 1] = {
    {ErrorPlain, ""},
    // 文字がありません。
    {ErrorPlain, "\x95\xB6\x8E\x9A\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81" "B"},
    // QRコードの作成に失敗しました。
    {ErrorPlain, "QR\x83R\x81[\x83h\x82\xCC\x8D\xEC\x90\xAC\x82\xC9\x8E\xB8\x94s\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "B"},
    {ErrorPlain, ""},
    // 名前 と 電話番号 のどちらも空欄です。
    {ErrorPlain, "\x96\xBC\x91O \x82\xC6 \x93" "d\x98" "b\x94\xD4\x8D\x86 \x82\xCC\x82\xC7\x82\xBF\x82\xE7\x82\xE0"
                 "\x8B\xF3\x97\x93\x82\xC5\x82\xB7\x81" "B"},
    // URLが空欄です。
    {ErrorPlain, "URL\x82\xAA\x8B\xF3\x97\x93\x82\xC5\x82\xB7\x81" "B"},
    // ▲エラー▲\nQR2DLL.dllが読み込めません。m(_ _)m
    {ErrorPlain, "\x81\xA3\x83G\x83\x89\x81[\x81\xA3\x0AQR2DLL.dll\x82\xAA\x93\xC7\x82\xDD\x8D\x9E\x82\xDF\x82\xDC"
                 "\x82\xB9\x82\xF1\x81" "Bm(_ _)m"},
    // 誕生日は、年/月/日 の形式にしてください。
    {ErrorPlain, "\x92" "a\x90\xB6\x93\xFA\x82\xCD\x81" "A\x94N/\x8C\x8E/\x93\xFA \x82\xCC\x8C`\x8E\xAE\x82\xC9\x82\xB5"
                 "\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B"},
    // 電話番号%d が正しく解釈できません。
    {ErrorWithInteger, "\x93" "d\x98" "b\x94\xD4\x8D\x86%d \x82\xAA\x90\xB3\x82\xB5\x82\xAD\x89\xF0\x8E\xDF\x82\xC5"
                       "\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81" "B"},
    // フリガナが正しく解釈できません。
    {ErrorPlain, "\x83t\x83\x8A\x83K\x83i\x82\xAA\x90\xB3\x82\xB5\x82\xAD\x89\xF0\x8E\xDF\x82\xC5\x82\xAB\x82\xDC\x82"
                 "\xB9\x82\xF1\x81" "B"},
    // 1つのQRコードに入りません。
    {ErrorPlain, "1\x82\xC2\x82\xCCQR\x83R\x81[\x83h\x82\xC9\x93\xFC\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81" "B"},
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
