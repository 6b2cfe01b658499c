#pragma once
// Reading a test text file into a work area, without touching the program's state.

#include "evaluation/EvaluationTypes.h"
#include "model/TestRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

// Everything a test text file carries, as read.
struct TTestTextContent {
    std::unique_ptr<TTestRecord> Record;   // TestNumber 0, CurrentB 0
    QString MeasurementNumber;             // Hcislo_mereni
    QString Job;                           // Hzakazka
    QString Note;                          // Hpoznamka
    std::optional<QString> Operator;       // Hprovoz, when the file has its line
    int BatteryTableRows = 4;              // data rows of the battery table
    std::vector<QStringList> BatteryRows;  // per data row: the cells up to the first empty one
    bool FullFormat = false;
    std::optional<int> CompensationMode;   // TKtyp
    std::optional<TTempCompTable> CompensationTable;
    std::optional<int> CapacityUnit;       // TKkapacita
    qint64 SampleLines = 0;                // sample lines in the file; at most MaxRows are read
};

// Parses the bytes of a test text file. Throws VybitorError "<path>, line N: why" for a
// field that cannot be converted, a file that ends before its data block, more than 108
// battery columns or a battery number outside 1…108. Empty lines after the last sample
// are no samples; sample lines beyond MaxRows are counted, not read.
TTestTextContent ReadTestText(const QByteArray& bytes, const QString& path);
