#pragma once
// The stored test layout, in which the tester keeps and sends a test and which a binary
// test file on disk has: run block, header, 0-based battery numbers, rows of four
// float32, a uint32 millisecond stamp and N uint16 centivolts.
// The download and the disk reader share this code and differ only in how they turn
// the stamps into ElapsedSeconds.

#include "model/TestRecord.h"

#include <QByteArray>
#include <QString>

struct TStoredTestHead {
    TTestRunInfo RunInfo{};
    TTestHeader Header{};
    uint8_t BatteryNumbers[MaxBatteries]{}; // 1-based
    int Batteries = 0;      // N
    qint64 Rows = 0;        // whole rows in the data part
    qint64 Remainder = 0;   // bytes after the last whole row
};

// Reads the head of a stored test. Returns an empty string on success, else why the
// bytes are no usable test (too short, more than 108 batteries, a battery byte above 107).
QString ReadStoredTestHead(const QByteArray& bytes, TStoredTestHead& head);

// Row r of the data part into `row` (voltages into columns 0..N-1); returns the stamp.
uint32_t ReadStoredRow(const QByteArray& bytes, const TStoredTestHead& head, qint64 r, TMeasurementRow& row);

// The stored bytes of a test: the record's first rows with the given stamps (ms).
// Voltages are rounded to centivolts; battery numbers go back to 0-based.
QByteArray EncodeStoredTest(const TTestRecord& record, const uint32_t* stamps);
