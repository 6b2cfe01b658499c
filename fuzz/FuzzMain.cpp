// One libFuzzer program per harness: this file is built once per entry name.
#include "FuzzEntries.h"

#include <QCoreApplication>
#include <cstdint>
#include <cstdlib>

// The program's paths (the INI beside the executable) need the application object.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzEntry entry = FindFuzzEntry(QStringLiteral(VYBITOR_FUZZ_ENTRY));
    if (!entry)
        std::abort();
    entry(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
