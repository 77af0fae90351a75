#pragma once

#include "document/ovilan_doc.h"
#include "shell/shell_interface.h"

#include <QByteArray>
#include <QString>

namespace ovilan {

// Whether a format is drawn as lines and text (SVG, PDF, smooth PNG) rather than in the window's
// 16-colour pixels (BMP, PNG).
bool isSharpPicture(PictureFormat format);

// The bytes of a 16-colour picture file: a BMP, run-length encoded when asked, or a PNG with the
// same pixels. Empty when the picture could not be made (no memory).
QByteArray exactPictureFile(
    const COvilanDoc& document, const PictureRequest& request, PictureFormat format);

// The bytes of an SVG, PDF or smooth PNG picture file; empty when it could not be made.
QByteArray sharpPictureFile(
    const COvilanDoc& document, const SharpPictureSize& size, PictureFormat format);

// Writes the whole file through a temporary file beside it, which replaces `path` only once every
// byte is written: a missing folder, a full disk or a refused permission leave no half-written
// picture and an earlier file of that name as it was. False when the file was not written.
bool writeWholeFile(const QString& path, const QByteArray& bytes);

} // namespace ovilan
