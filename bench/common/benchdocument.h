// The document the open and save benchmarks work on: `channels` channels, 99 Astra HD+ (the whole favourite
// range), 14.5 % each air and cable, the rest satellite, built by the director tests' fixture and written
// once as a raw 2012-01 file and once as a universal file.
#ifndef BENCHDOCUMENT_H
#define BENCHDOCUMENT_H

#include "support/documentfixture.h"

#include "core/channellistprovider.h"
#include "core/resultcode.h"
#include "datafilehandlers/datadirector.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

namespace benchkit {

struct BenchFiles {
    QString raw;
    QString universal;
};

// How the benchmark document's channels are spread over its four lists.
inline DocumentFixture::Size benchSize(int channels) {
    DocumentFixture::Size size;
    size.astra = 99;
    size.air = channels * 145 / 1000;
    size.cable = channels * 145 / 1000;
    size.satellite = channels - size.astra - size.air - size.cable;
    return size;
}

// Writes the two files into dir and prints what they hold; false (with a message) when they cannot be
// written.
inline bool writeBenchFiles(int channels, int repetitions, const QTemporaryDir &dir, BenchFiles &files) {
    const DocumentFixture::Size size = benchSize(channels);
    files.raw = dir.filePath(QStringLiteral("bench.rvl"));
    files.universal = dir.filePath(QStringLiteral("bench.ulmx"));
    {
        DataDirector unused;
        ChannelListProvider document(&unused);
        DocumentFixture::build(document, size);
        if (DocumentFixture::writeRaw(FF_RAW_2012_01, document, files.raw) != RC_SUCCESS ||
            DocumentFixture::writeUniversal(document, files.universal) != RC_SUCCESS) {
            std::fprintf(stderr, "cannot write the benchmark files\n");
            return false;
        }
    }
    std::printf("document: %d channels (%d satellite, %d Astra HD+, %d air, %d cable); raw %lld bytes, "
                "universal %lld bytes; %d repetitions\n",
                channels, size.satellite, size.astra, size.air, size.cable, QFileInfo(files.raw).size(),
                QFileInfo(files.universal).size(), repetitions);
    return true;
}

} // namespace benchkit

#endif // BENCHDOCUMENT_H
