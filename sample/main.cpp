#include "SampleWriter.h"

#include <ChapterMap.h>

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

// tarvos-sample OUTDIR: writes OUTDIR/sample/sample.nes and the tile folder OUTDIR/MAP.
int main(int argc, char **argv)
{
    const QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QTextStream errors(stderr);
    if (arguments.size() != 2) {
        errors << QStringLiteral("usage: tarvos-sample OUTDIR\n");
        return 1;
    }
    const auto result = sample::writeSample(arguments[1]);
    if (const auto *failure = std::get_if<sample::SampleFailure>(&result)) {
        errors << QStringLiteral("tarvos-sample: %1\n").arg(failure->message);
        return 1;
    }
    const auto &summary = std::get<sample::SampleSummary>(result);
    QTextStream(stdout) << QStringLiteral("Wrote %1 (%2 bytes, %3 chapters) and %4 tiles in %5\n")
                               .arg(summary.imagePath)
                               .arg(summary.imageBytes)
                               .arg(core::kChapterCount)
                               .arg(summary.tileCount)
                               .arg(summary.tileFolder);
    return 0;
}
