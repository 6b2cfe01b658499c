#pragma once
// The operations built from the tester's commands: the settings block, whole files in
// chunks, the read mark and the deletion sequence.

#include <QByteArray>
#include <QString>

class TTesterLink;

// The data part of the #NU reply, kept for the run once read.
struct TTesterSettings {
    QByteArray Data;
    // Name of the data directory (offset 31, 9 bytes, zero-terminated).
    QString DataDirectory() const;
};
TTesterSettings& TesterSettings();

// Reads the settings block once per run (sets TProgramState::SettingsRead); shows
// Nast_error when the tester refuses or the checksum fails.
void ReadTesterSettings(TTesterLink& link);

// Reads a whole file. Shows "Fault" and returns what arrived so far when the tester
// refuses; reports progress and throws OperationCancelled when the user cancels.
QByteArray ReadTesterFile(TTesterLink& link, const QString& path, bool* refused = nullptr);
// Writes a whole file in chunks of 249 - path length bytes; "Fault" for a refused chunk
// (the remaining chunks are still sent). Returns false when any chunk was refused.
bool WriteTesterFile(TTesterLink& link, const QString& path, const QByteArray& data);
void MarkTestRead(TTesterLink& link, const QString& path);
// Up to 101 polls of #Td 100 ms apart until status 3, then #Td 255. False when the tester
// could not be reached: the sequence ends at its one connection error instead of showing a
// box for each poll.
bool WaitForDeletion(TTesterLink& link, int pauseMs = 100);

// "/" + data directory + "/" + file name
QString TesterTestPath(const QString& fileName);
