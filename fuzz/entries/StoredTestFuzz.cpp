// The readers of the stored test layout: the codec's head and rows, the stored test file
// on disk, and the download's load and append that take a test over into the record.
#include "FuzzEntries.h"
#include "entries/FuzzScratch.h"
#include "files/StoredTestFile.h"
#include "model/StoredTestCodec.h"
#include "tester/TestDownload.h"

#include <algorithm>
#include <memory>

void FuzzStoredTest(const QByteArray& input)
{
    QuietReport quiet;
    static const auto work = std::make_unique<TTestRecord>();
    DecodeStoredTestFile(input, *work);
    TStoredTestHead head;
    if (!ReadStoredTestHead(input, head).isEmpty())
        return;
    TMeasurementRow row;
    for (qint64 r = 0; r < std::min<qint64>(head.Rows, MaxRows); ++r)
        ReadStoredRow(input, head, r, row);
}

void FuzzDownloadedTest(const QByteArray& input)
{
    QuietReport quiet;
    static const auto record = std::make_unique<TTestRecord>();
    ClearRecord(*record);
    // A fresh load, then the same test appended to it and once more to the result.
    if (LoadDownloadedTest(input, *record)) {
        AppendDownloadedTest(input, *record);
        AppendDownloadedTest(input, *record);
    }
}
