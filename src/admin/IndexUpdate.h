#pragma once
// Brings the index in step with the archive folders. The walk reads only directory
// entries; a file whose size, time or figures' inputs differ from its row is read (once),
// a new one added, a vanished one dropped. Rows are dropped only under the folders this
// run walked and saw. Work is committed in batches: a run that is stopped or killed
// leaves what it wrote, and the next run does the rest.

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class TIndexStore;
struct TArchiveFolder;
struct TIndexInputs;

struct TIndexRun {
    int Added = 0, Changed = 0, Dropped = 0;
    QStringList Unreadable; // files and folders that could not be read
    bool Stopped = false;
};

// Called after every entry: entries seen, files read so far; false stops the run.
using TIndexProgress = std::function<bool(qint64 seen, qint64 read)>;

// A folder's name in the index: the name the settings give it, else its last path
// component, so that PCs which mount a share at different paths share its rows.
QString ArchiveKey(const TArchiveFolder& folder);

// Two different folders under one name would take each other's rows (each walk dropping
// the other's files): told, naming them and the remedy, before anything is read or written.
void RequireDistinctArchiveKeys(const std::vector<TArchiveFolder>& folders);

// The index's note of where an archive was last indexed from.
QString ArchiveRootKey(const QString& archive);

// Throws VybitorError when the index cannot be written.
TIndexRun UpdateIndex(TIndexStore& store, const std::vector<TArchiveFolder>& folders,
                      const TIndexInputs& inputs, const TIndexProgress& progress = {});

// The "added N, changed N, dropped N, unreadable N" line.
QString IndexRunSummary(const TIndexRun& run);
