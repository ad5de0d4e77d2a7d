// Rendering and the two decoder bindings used by the round-trip tests.
#include "tests/encoder/decoder_support.h"

#include <zbar.h>

// Keeps the 1.4 headers from warning about text()'s coming change.
#define ZX_USE_UTF8 1
#include <ZXing/DecodeHints.h>
#include <ZXing/ImageView.h>
#include <ZXing/ReadBarcode.h>

#include <cstring>

void render_symbol(const uint8_t* matrix, int32_t size, GreyImage* image) {
    const int32_t side = (size + 2 * kQuietModules) * kPixelsPerModule;
    image->side = side;
    std::memset(image->pixels, 255, static_cast<size_t>(side) * side);
    for (int32_t y = 0; y < size; ++y) {
        uint8_t* row = image->pixels + static_cast<size_t>(y + kQuietModules) * kPixelsPerModule * side;
        for (int32_t x = 0; x < size; ++x) {
            if (matrix[x * kMaxModules + y] == 0) continue;
            std::memset(row + (x + kQuietModules) * kPixelsPerModule, 0, kPixelsPerModule);
        }
        // The other pixel rows of the module row repeat the first one.
        for (int32_t k = 1; k < kPixelsPerModule; ++k) std::memcpy(row + k * side, row, side);
    }
}

int32_t decode_with_zbar(const GreyImage& image, std::string* bytes) {
    return decode_grey_with_zbar(image.pixels, image.side, image.side, bytes);
}

int32_t decode_with_zxing(const GreyImage& image, std::string* bytes, int32_t* level) {
    return decode_grey_with_zxing(image.pixels, image.side, image.side, bytes, level);
}

int32_t decode_grey_with_zbar(const uint8_t* pixels, int32_t width, int32_t height, std::string* bytes) {
    using namespace zbar;
    zbar_image_scanner_t* scanner = zbar_image_scanner_create();
    zbar_image_scanner_set_config(scanner, ZBAR_NONE, ZBAR_CFG_ENABLE, 0);
    zbar_image_scanner_set_config(scanner, ZBAR_QRCODE, ZBAR_CFG_ENABLE, 1);
    // Without it zbar turns the bytes into UTF-8 text by guessing their charset.
    zbar_image_scanner_set_config(scanner, ZBAR_QRCODE, ZBAR_CFG_BINARY, 1);
    zbar_image_t* zimage = zbar_image_create();
    zbar_image_set_format(zimage, zbar_fourcc('Y', '8', '0', '0'));
    zbar_image_set_size(zimage, static_cast<unsigned>(width), static_cast<unsigned>(height));
    zbar_image_set_data(zimage, pixels, static_cast<unsigned long>(width) * height, nullptr);
    int32_t result = 1;
    if (zbar_scan_image(scanner, zimage) > 0) {
        const zbar_symbol_t* symbol = zbar_image_first_symbol(zimage);
        if (symbol != nullptr && zbar_symbol_get_type(symbol) == ZBAR_QRCODE) {
            bytes->assign(zbar_symbol_get_data(symbol), zbar_symbol_get_data_length(symbol));
            result = 0;
        }
    }
    zbar_image_destroy(zimage);
    zbar_image_scanner_destroy(scanner);
    return result;
}

int32_t decode_grey_with_zxing(const uint8_t* pixels, int32_t width, int32_t height, std::string* bytes,
                               int32_t* level) {
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    hints.setTryHarder(false);
    hints.setTryRotate(false);
    const ZXing::ImageView view(pixels, width, height, ZXing::ImageFormat::Lum);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid()) return 1;
    const ZXing::ByteArray& data = result.bytes();
    bytes->assign(reinterpret_cast<const char*>(data.data()), data.size());
    if (level != nullptr) {
        const std::string name = result.ecLevel();
        *level = name == "L" ? LevelL : name == "M" ? LevelM : name == "Q" ? LevelQ : LevelH;
    }
    return 0;
}
