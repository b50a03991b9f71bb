#include "BenchData.h"

#include <QCoreApplication>
#include <QTextStream>

// bench_image OUTDIR: writes OUTDIR/sample/sample.nes, whose chapters 1 to 4 are 32 x 32,
// 256 x 256, 48 x 36 and 33 x 31, and the tile folder OUTDIR/MAP, for measuring the editor
// on chapters that need scroll bars and one that fills the view without them:
//   click_cost.py BUILD --image OUTDIR/sample/sample.nes --tiles OUTDIR/MAP --chapters 1,3,4
int main(int argc, char **argv)
{
    const QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QTextStream errors(stderr);
    if (arguments.size() != 2) {
        errors << QStringLiteral("usage: bench_image OUTDIR\n");
        return 1;
    }
    const QDir out(arguments[1]);
    const QString imagePath = out.filePath(QStringLiteral("sample/sample.nes"));
    QFile image(imagePath);
    if (!bench::writeTiles(out.filePath(QStringLiteral("MAP"))) ||
        !QDir().mkpath(out.filePath(QStringLiteral("sample"))) ||
        !image.open(QIODevice::WriteOnly) || image.write(bench::benchImage()) < 0) {
        errors << QStringLiteral("bench_image: cannot write into %1\n").arg(out.path());
        return 1;
    }
    return 0;
}
