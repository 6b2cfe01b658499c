#pragma once
// Sample lines of the test text file read straight from their bytes. A full test carries a
// million numbers; decoding every line to text and splitting it first would cost most of a load.

#include <QByteArrayView>

struct TMeasurementRow;

// How the sample lines of one file are laid out.
struct TSampleLayout {
    bool FullFormat = false; // first field the time in seconds, else the sample number
    int Period = 0;          // seconds between samples in the short format
    int Batteries = 0;
};

// Reads sample `index` (from 0) from its line without the line end, taking '.' and ',' both
// as the decimal separator, as the text reader does on a locale with either. Returns false
// for anything but plain numbers in every field it needs (a missing field, 8-bit text, a value
// out of range); the row is then partly written, and the caller reads the line the general way,
// which also words the error.
bool ReadSampleLine(QByteArrayView line, int index, const TSampleLayout& layout, TMeasurementRow& row);
