// Adapters from the workloads to each encoder's own API, each used the way
// its manual suggests for one symbol: automatic version, automatic mask.
#include "bench/peers.h"

#include "encoder/encoder.h"

#include <benchmark/benchmark.h>
#include <qrcodegen/qrcodegen.hpp>
#include <qrencode.h>
#include <zint.h>

#define ZX_USE_UTF8 1
#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include <cstring>
#include <vector>

namespace {

// Copies a side x side symbol, read through is_dark(x, y), into matrix.
template <typename IsDark>
int32_t copy_modules(int32_t side, uint8_t* matrix, IsDark is_dark) {
    if (side < 21 || side > kMaxModules) return 0;
    for (int32_t x = 0; x < side; ++x)
        for (int32_t y = 0; y < side; ++y) matrix[x * kMaxModules + y] = is_dark(x, y) ? 1 : 0;
    return side;
}

// --- ours --------------------------------------------------------------------

bool ours_symbol(const Workload& workload) {
    return encode_symbol(workload.level, 0, false, -1, workload.text.c_str(), 0);
}

void ours_encode(const Workload& workload) {
    benchmark::DoNotOptimize(ours_symbol(workload));
    benchmark::ClobberMemory();
}

int32_t ours_matrix(const Workload& workload, uint8_t* matrix) {
    if (!ours_symbol(workload)) return 0;
    std::memcpy(matrix, g_encoder.matrix, kMatrixBytes);
    return g_encoder.size;
}

// --- libqrencode ----------------------------------------------------------------

QRcode* qrencode_symbol(const Workload& workload) {
    // Its string API splits the text into modes itself; the kanji hint lets
    // it take Shift_JIS pairs in kanji mode.
    return QRcode_encodeString(workload.text.c_str(), 0, static_cast<QRecLevel>(workload.level),
                               workload.kanji ? QR_MODE_KANJI : QR_MODE_8, 1);
}

void qrencode_encode(const Workload& workload) {
    QRcode* symbol = qrencode_symbol(workload);
    benchmark::DoNotOptimize(symbol);
    QRcode_free(symbol);
}

int32_t qrencode_matrix(const Workload& workload, uint8_t* matrix) {
    QRcode* symbol = qrencode_symbol(workload);
    if (symbol == nullptr) return 0;
    const int32_t side = copy_modules(symbol->width, matrix,
                                      [symbol](int32_t x, int32_t y) { return symbol->data[y * symbol->width + x] & 1; });
    QRcode_free(symbol);
    return side;
}

// --- qrcodegen -----------------------------------------------------------------

qrcodegen::QrCode qrcodegen_symbol(const Workload& workload) {
    // It has no kanji mode: Shift_JIS text goes in byte mode. No raising of
    // the level, so every encoder works at the requested one.
    return qrcodegen::QrCode::encodeSegments(qrcodegen::QrSegment::makeSegments(workload.text.c_str()),
                                             static_cast<qrcodegen::QrCode::Ecc>(workload.level), 1, 40,
                                             -1, false);
}

void qrcodegen_encode(const Workload& workload) {
    const qrcodegen::QrCode symbol = qrcodegen_symbol(workload);
    benchmark::DoNotOptimize(symbol.getSize());
}

int32_t qrcodegen_matrix(const Workload& workload, uint8_t* matrix) {
    const qrcodegen::QrCode symbol = qrcodegen_symbol(workload);
    return copy_modules(symbol.getSize(), matrix, [&symbol](int32_t x, int32_t y) { return symbol.getModule(x, y); });
}

// --- zxing-cpp -------------------------------------------------------------------

// Its writer takes levels 0-8: 1 reads back as L, 3 as M, 5 as Q, 7 as H.
const int kZxingLevel[4] = {1, 3, 5, 7};

ZXing::BitMatrix zxing_symbol(const Workload& workload) {
    // Shift_JIS makes it use kanji mode for all-kanji text; ISO-8859-1 is its
    // default byte encoding and adds no ECI header.
    return ZXing::MultiFormatWriter(ZXing::BarcodeFormat::QRCode)
        .setEncoding(workload.kanji ? ZXing::CharacterSet::Shift_JIS : ZXing::CharacterSet::ISO8859_1)
        .setEccLevel(kZxingLevel[workload.level])
        .setMargin(0)
        .encode(workload.wide, 0, 0);
}

void zxing_encode(const Workload& workload) {
    const ZXing::BitMatrix symbol = zxing_symbol(workload);
    benchmark::DoNotOptimize(symbol.width());
}

int32_t zxing_matrix(const Workload& workload, uint8_t* matrix) {
    const ZXing::BitMatrix symbol = zxing_symbol(workload);
    if (symbol.height() != symbol.width()) return 0;
    return copy_modules(symbol.width(), matrix, [&symbol](int32_t x, int32_t y) { return symbol.get(x, y); });
}

// --- zint ------------------------------------------------------------------------

zint_symbol* g_zint = nullptr;  // reused, cleared before each symbol

bool zint_run(const Workload& workload) {
    ZBarcode_Clear(g_zint);
    g_zint->symbology = BARCODE_QRCODE;
    g_zint->option_1 = workload.level + 1;
    // Given UTF-8 it converts to Shift_JIS and picks kanji mode itself.
    const std::string& input = workload.kanji ? workload.utf8 : workload.text;
    g_zint->input_mode = workload.kanji ? UNICODE_MODE : DATA_MODE;
    return ZBarcode_Encode(g_zint, reinterpret_cast<const unsigned char*>(input.data()),
                           static_cast<int>(input.size())) < ZINT_ERROR;
}

void zint_encode(const Workload& workload) {
    benchmark::DoNotOptimize(zint_run(workload));
    benchmark::ClobberMemory();
}

int32_t zint_matrix(const Workload& workload, uint8_t* matrix) {
    if (!zint_run(workload)) return 0;
    if (g_zint->rows != g_zint->width) return 0;
    // Rows are bit-packed, least significant bit first.
    return copy_modules(g_zint->width, matrix,
                        [](int32_t x, int32_t y) { return (g_zint->encoded_data[y][x >> 3] >> (x & 7)) & 1; });
}

}  // namespace

const Peer kPeers[kPeerCount] = {
    {"mivoka", ours_encode, ours_matrix},
    {"libqrencode", qrencode_encode, qrencode_matrix},
    {"qrcodegen", qrcodegen_encode, qrcodegen_matrix},
    {"zxing-cpp", zxing_encode, zxing_matrix},
    {"zint", zint_encode, zint_matrix},
};

void open_peers() { g_zint = ZBarcode_Create(); }

void close_peers() {
    ZBarcode_Delete(g_zint);
    g_zint = nullptr;
}
