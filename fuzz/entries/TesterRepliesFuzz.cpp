// The reply handling of the tester link: the input is the byte stream the tester sends
// back, consumed frame by frame through the link's reply source while the directory
// window's commands run. Running out of bytes is a read timeout.
#include "FuzzEntries.h"
#include "app/ProgramState.h"
#include "entries/FuzzScratch.h"
#include "model/Errors.h"
#include "tester/DirectoryFlows.h"
#include "tester/TestDirectory.h"
#include "tester/TesterCommands.h"
#include "tester/TesterLink.h"

#include <algorithm>
#include <cstring>

namespace {
class ReplyStream {
public:
    explicit ReplyStream(const QByteArray& bytes) : bytes_(bytes) {}
    void Read(char* target, int count)
    {
        if (count < 0 || bytes_.size() - at_ < count)
            throw VybitorError(QStringLiteral("Read timed out."));
        std::memcpy(target, bytes_.constData() + at_, size_t(count));
        at_ += count;
    }

private:
    const QByteArray& bytes_;
    qsizetype at_ = 0;
};

void runCommand(void (*command)(TTesterLink&, TTestDirectory&), TTesterLink& link, TTestDirectory& directory)
{
    try {
        command(link, directory);
    } catch (const VybitorError&) {
        // Ends the command as the global handler would; the next command goes on.
    }
}
} // namespace

void FuzzTesterReplies(const QByteArray& input)
{
    QuietReport quiet;
    TProgramState& state = TProgramState::Instance();
    state.SettingsRead = false;
    state.DirectoryListed = false;
    TTestDirectory& directory = TTestDirectory::Instance();
    directory.ShowHidden = false;
    directory.Reset();
    ReplyStream stream(input);
    TTesterLink& link = TTesterLink::Instance();
    link.SetReplySource([&stream](char* target, int count) { stream.Read(target, count); });

    runCommand(ListTesterDirectory, link, directory);
    runCommand([](TTesterLink& l, TTestDirectory& d) { DownloadCurrentTest(l, d, false); }, link, directory);
    runCommand([](TTesterLink& l, TTestDirectory& d) { DownloadCurrentTest(l, d, true); }, link, directory);
    runCommand([](TTesterLink& l, TTestDirectory&) { WaitForDeletion(l, 0); }, link, directory);
    link.SetReplySource({});
}
