#pragma once
// Runs a save in a forked child whose file-size limit (ulimit -f) is exhausted, as on a
// full quota: every write past the limit fails with EFBIG instead of raising SIGXFSZ.

#include <QString>
#include <functional>

struct TChildOutcome {
    bool Finished = false; // the child ran to its end (no crash, no hang)
    bool Threw = false;    // the save ended with VybitorError
    QString Message;       // its text
};

// Runs save() in a child process with RLIMIT_FSIZE = limitBytes.
TChildOutcome RunWithFileSizeLimit(long limitBytes, const std::function<void()>& save);
