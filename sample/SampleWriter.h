#pragma once

#include <QString>

#include <variant>

namespace sample {

struct SampleSummary {
    QString imagePath;
    qsizetype imageBytes = 0;
    QString tileFolder;
    int tileCount = 0;
};

// Why the sample could not be written, in words for the user.
struct SampleFailure {
    QString message;
};

// Writes outDir/sample/sample.nes and, into outDir/MAP, one bitmap for each tile code
// the sample's maps use, creating the folders as needed.
std::variant<SampleSummary, SampleFailure> writeSample(const QString &outDir);

} // namespace sample
