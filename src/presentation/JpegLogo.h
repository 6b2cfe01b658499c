#pragma once
// The customer's logo: the ".jpg" beside the executable, decoded with libjpeg.

#include <QImage>
#include <QString>

// The decoded picture, or a null image when the file is missing or not a readable JPEG.
QImage LoadJpegLogo(const QString& path);
// The report logo: the ".jpg" beside the executable (null when missing or unreadable).
QImage ReportLogo();
