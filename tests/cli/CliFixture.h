#pragma once

#include "CommandOutput.h"
#include "Commands.h"
#include "TextPrinting.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

namespace cli_testing {

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

// The tool as a script calls it, with its output caught; its files are written through
// `files`.
inline CliRun runCli(const QStringList &arguments,
                     fileio::FileOperations &files = fileio::diskFileOperations())
{
    CliRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    cli::CommandOutput io{out, err, files};
    run.status = cli::runTool(QStringList{QStringLiteral("tarvos-cli")} + arguments, io);
    out.flush();
    err.flush();
    return run;
}

// The colour every tile bitmap of the test folders is painted in, distinct per code.
inline QRgb tileColour(std::uint8_t code)
{
    return qRgb(code, (code * 37) & 0xFF, 255 - code);
}

// A 16 x 16 tile: its code's colour, with one black pixel at (code % 16, code / 16) so that a
// tile drawn shifted or mirrored shows.
inline QImage tileImage(std::uint8_t code)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(tileColour(code));
    image.setPixel(code % 16, code / 16, qRgb(0, 0, 0));
    return image;
}

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A temporary folder holding an image and a tile folder "MAP" of 16 x 16 bitmaps, one per
// code that `present` accepts.
class CliFolder : public ::testing::Test {
protected:
    QString path(const QString &name) const { return QDir(m_dir.path()).filePath(name); }
    QString tiles() const { return path(QStringLiteral("MAP")); }

    void writeTiles(const std::function<bool(std::uint8_t)> &present) const
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("MAP"));
        for (int code = 0; code < 256; ++code) {
            const auto tile = static_cast<std::uint8_t>(code);
            if (present(tile)) {
                ASSERT_TRUE(tileImage(tile).save(
                    QDir(tiles()).filePath(QString::number(code, 16).toUpper() +
                                           QStringLiteral(".bmp")),
                    "BMP"));
            }
        }
    }

    QString writeImage(const QString &name, const QByteArray &bytes) const
    {
        const QString file = path(name);
        writeBytes(file, bytes);
        return file;
    }

    QTemporaryDir m_dir;
};

} // namespace cli_testing
