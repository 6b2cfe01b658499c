#include "presentation/JpegLogo.h"

#include "app/ExePath.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace {
struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
};

void LeaveOnError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<TJpegError*>(info->err)->Jump, 1);
}

void Silent(j_common_ptr) {}
} // namespace

QImage LoadJpegLogo(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty())
        return {};

    jpeg_decompress_struct info{};
    TJpegError error{};
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = LeaveOnError;
    error.Manager.output_message = Silent;
    QImage image; // declared before setjmp so a jump leaves nothing half-built behind
    if (setjmp(error.Jump)) {
        jpeg_destroy_decompress(&info);
        return {};
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()), bytes.size());
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    while (info.output_scanline < info.output_height) {
        JSAMPROW line = image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &line, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return image;
}

QImage ReportLogo()
{
    return LoadJpegLogo(ReadOnlyFilePath(QStringLiteral(".jpg")));
}
