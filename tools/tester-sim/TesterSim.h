#pragma once
// The tester's side of the link: answers request frames from its in-memory state, which
// starts from the stored test files of a data folder.

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

struct TTestRecord;

// The status by which the tester refuses a command: #TT reports an error with 11 (1 would be
// an entry), every other command with 1 (for #Td anything but 3 means "not finished").
uint8_t RefusalStatus(const QByteArray& command);

// Refuses requests of one two-letter command: only the Nth of them (1-based), or every one
// when Nth is 0.
struct TSimRefusal {
    QByteArray Command;
    int Nth = 0;
};

struct TSimFaults {
    int CloseAfterReplies = -1;   // drop the connection after this many replies
    int DelayMs = 0;              // wait before every reply
    std::vector<TSimRefusal> Refusals;
    bool Oversize = false;        // announce a reply longer than the frame buffer
    bool NeverFinishDeletion = false;
    bool BadChecksum = false;     // spoil the #NU checksum
    bool Log = false;             // log each request on stderr
};

struct TSimTest {
    QString FileName;
    QByteArray Bytes;
    bool Hidden = false;
    bool Downloaded = false;
    bool MarkedForDeletion = false;
    quint16 EntryIndex = 0;
};

class TTesterSim {
public:
    explicit TTesterSim(const TSimFaults& faults) : faults_(faults) {}
    // Loads every file of folder as a stored test; names listed in folder/hidden.txt are hidden.
    void LoadDataFolder(const QString& folder);
    // Answers one complete request frame.
    QByteArray Answer(const QByteArray& request);
    int Replies() const { return replies_; }
    const TSimFaults& Faults() const { return faults_; }
    QString DataDirectory = QStringLiteral("DATA");

private:
    QByteArray reply(const QByteArray& request, uint8_t status, const QByteArray& payload = {});
    QByteArray* file(const QString& path);
    QByteArray directoryEntry(const TSimTest& test) const;
    // Counts the request and tells whether a refusal rule catches it.
    bool refuses(const QByteArray& command);

    QMap<QByteArray, int> requestCounts_;
    TSimFaults faults_;
    std::vector<TSimTest> tests_;
    QMap<QString, QByteArray> files_; // other files, e.g. /config/lokality.lkt
    int listCursor_ = 0;
    int deletionPolls_ = 0;
    bool deleting_ = false;
    int replies_ = 0;
};

// Writes a handful of realistic stored tests into folder (for the demo and the tests).
void GenerateSampleTests(const QString& folder);
// One stored test file in folder (created when missing), as the tester keeps it.
void WriteStoredTestFile(const QString& folder, const char* name, const TTestRecord& record,
                         const std::vector<uint32_t>& stamps);
// Realistic tests of stationary strings, one set on three dates (the demo archive's source).
void GenerateSiteTests(const QString& folder);
