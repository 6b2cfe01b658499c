// Every saved fuzz input, the seeds and the inputs that once crashed a harness, goes
// through its harness's entry point again in the ordinary test run.
#include "FuzzEntries.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
QStringList savedInputs(const QString& kind, const QString& harness)
{
    QDir folder(QStringLiteral(VYBITOR_FUZZ_DIR "/") + kind + QLatin1Char('/') + harness);
    QStringList paths;
    for (const QString& name : folder.entryList(QDir::Files, QDir::Name))
        paths << folder.filePath(name);
    return paths;
}

class SavedFuzzInputs : public ::testing::TestWithParam<QString> {};
} // namespace

TEST_P(SavedFuzzInputs, RunWithoutFault)
{
    const FuzzEntry entry = FindFuzzEntry(GetParam());
    ASSERT_NE(entry, nullptr);
    const QStringList seeds = savedInputs(QStringLiteral("corpus"), GetParam());
    EXPECT_FALSE(seeds.isEmpty()) << "every harness starts from seeds";
    for (const QString& path : seeds + savedInputs(QStringLiteral("regressions"), GetParam())) {
        SCOPED_TRACE(path.toStdString());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        entry(file.readAll());
    }
}

INSTANTIATE_TEST_SUITE_P(Harness, SavedFuzzInputs, ::testing::ValuesIn(FuzzEntryNames().toList()),
                         [](const auto& info) { return info.param.toStdString(); });
