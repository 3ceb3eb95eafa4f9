// The myini.ini reader: what it reads, written to a new file and read again, is the same.

#include "fuzz_check.h"

#include "storage/app_settings.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace vrx;
    static QTemporaryDir dir;
    FUZZ_CHECK(dir.isValid());
    const QString input = dir.filePath(QStringLiteral("input.ini"));
    const QString output = dir.filePath(QStringLiteral("myini.ini"));
    {
        QFile file(input);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    const AppSettings read = readAppSettings(input);
    FUZZ_CHECK(read.port >= 1 && read.port <= kPortCount);
    FUZZ_CHECK(read.skin >= 1 && read.skin <= kSkinCount);
    for (const BandListState &list : read.bands) {
        FUZZ_CHECK(list.entries.size() <= kMaxBandEntries);
        FUZZ_CHECK(list.selected >= -1 && list.selected < list.entries.size());
    }

    QFile::remove(output);
    const FileStatus written = writeAppSettings(output, read);
    FUZZ_CHECK(written.ok());
    FUZZ_CHECK(readAppSettings(output) == read);
    // Updating the fuzzed file in place keeps what the program reads from it.
    if (writeAppSettings(input, read).ok())
        FUZZ_CHECK(readAppSettings(input) == read);
    return 0;
}
