#pragma once

#include <QByteArray>
#include <QImage>

// Decodes the JPEG bytes of a picture that the program ships (the About window's picture) with
// libjpeg. A picture that cannot be decoded gives a null image and no message: the place it was
// meant for simply stays empty.
QImage DecodeJpegPicture(const QByteArray& bytes);

// Reads the file (or Qt resource) at `path` and decodes it; a missing file gives a null image.
QImage LoadJpegPicture(const QString& path);
