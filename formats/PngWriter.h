#pragma once

#include <QByteArray>
#include <QImage>

#include <memory>
#include <vector>

struct libdeflate_compressor;

namespace formats {

// Writes opaque pictures as PNG files: 8-bit RGB, not interlaced, with the picture's
// resolution when it has one. The rows go unfiltered to libdeflate: a map picture repeats
// whole tile rows, which deflate finds by itself, and trying every filter on every row, as
// QImageWriter does, would cost more than the compression. A picture that does not
// compress is stored as it is, never larger than its rows and a few bytes of framing.
//
// The compressor (made with the first picture) and the row buffers are kept from one
// picture to the next, so a thread that writes many pictures allocates them once. One
// writer belongs to one thread.
class PngWriter {
public:
    PngWriter();
    ~PngWriter();
    Q_DISABLE_COPY_MOVE(PngWriter)

    // The whole file. The picture is read as QImage::Format_RGB32 (converted when it is
    // not); a null picture gives no bytes.
    QByteArray bytes(const QImage &picture);

private:
    struct CompressorFree {
        void operator()(libdeflate_compressor *compressor) const;
    };

    std::unique_ptr<libdeflate_compressor, CompressorFree> m_compressor;
    std::vector<unsigned char> m_rows;
    std::vector<unsigned char> m_packed;
};

} // namespace formats
