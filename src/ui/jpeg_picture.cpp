#include "ui/jpeg_picture.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors through error_exit, whose default ends the process. This one
// jumps back into DecodeJpegPicture instead, which then gives up on the picture.
struct QuietErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jumpBack;
};

[[noreturn]] void jumpOnError(j_common_ptr info) {
    auto* manager = reinterpret_cast<QuietErrorManager*>(info->err);
    std::longjmp(manager->jumpBack, 1);
}

// libjpeg mends some damage with a warning (a truncated stream is padded with grey); such a
// picture is damaged all the same and is not shown. Trace messages are ignored.
void jumpOnWarning(j_common_ptr info, int level) {
    if (level < 0) {
        jumpOnError(info);
    }
}

// Everything that must survive the longjmp lives outside the function that calls setjmp, so that
// no local with a destructor is skipped and no local is left indeterminate.
struct Decoder {
    jpeg_decompress_struct info{};
    QuietErrorManager errors{};
    QImage image;
    std::vector<unsigned char> row;

    bool run(const QByteArray& bytes) {
        info.err = jpeg_std_error(&errors.base);
        errors.base.error_exit = jumpOnError;
        errors.base.emit_message = jumpOnWarning;
        if (setjmp(errors.jumpBack) != 0) {
            return false;
        }
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                     static_cast<unsigned long>(bytes.size()));
        if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
            return false;
        }
        // Grey and CMYK pictures come out as RGB too, so one copy loop serves every picture.
        info.out_color_space = JCS_RGB;
        if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
            info.out_color_space = JCS_CMYK;
        }
        jpeg_start_decompress(&info);
        const int width = static_cast<int>(info.output_width);
        const int height = static_cast<int>(info.output_height);
        const int components = info.output_components;
        image = QImage(width, height, QImage::Format_RGB32);
        if (image.isNull()) {
            return false;
        }
        row.assign(static_cast<std::size_t>(width) * components, 0);
        while (info.output_scanline < info.output_height) {
            const int y = static_cast<int>(info.output_scanline);
            JSAMPROW rowPointer = row.data();
            jpeg_read_scanlines(&info, &rowPointer, 1);
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            const unsigned char* in = row.data();
            for (int x = 0; x < width; ++x, in += components) {
                if (components == 4) {
                    // Adobe CMYK JPEGs store the inks inverted.
                    out[x] = qRgb(in[0] * in[3] / 255, in[1] * in[3] / 255, in[2] * in[3] / 255);
                } else {
                    out[x] = qRgb(in[0], in[1], in[2]);
                }
            }
        }
        jpeg_finish_decompress(&info);
        return true;
    }

    ~Decoder() { jpeg_destroy_decompress(&info); }
};

} // namespace

QImage DecodeJpegPicture(const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        return {};
    }
    Decoder decoder;
    if (!decoder.run(bytes)) {
        return {};
    }
    return decoder.image;
}

QImage LoadJpegPicture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return DecodeJpegPicture(file.readAll());
}
