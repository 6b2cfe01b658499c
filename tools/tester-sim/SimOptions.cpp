#include "SimOptions.h"

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace {
// "FW" or "FW:3": a two-letter command, optionally with the 1-based count of the one request
// to refuse.
TSimRefusal parseRefusal(const std::string& text)
{
    const std::string::size_type colon = text.find(':');
    const std::string command = text.substr(0, colon);
    TSimRefusal refusal{QByteArray::fromStdString(command), 0};
    if (colon != std::string::npos)
        refusal.Nth = std::stoi(text.substr(colon + 1));
    return refusal;
}

std::string checkRefusal(const std::string& text)
{
    const std::string::size_type colon = text.find(':');
    const std::string command = text.substr(0, colon);
    if (command.size() != 2 || !std::isalpha(uchar(command[0])) || !std::isalpha(uchar(command[1])))
        return "CMD must be two letters, e.g. FW";
    if (colon == std::string::npos)
        return {};
    const std::string count = text.substr(colon + 1);
    if (count.empty() || count.size() > 6 || count.find_first_not_of("0123456789") != std::string::npos || std::stoi(count) < 1)
        return "K must be a count from 1";
    return {};
}
} // namespace

std::optional<TSimOptions> ParseSimOptions(int argc, char** argv, int& exitCode)
{
    CLI::App app{"Emulator of the battery tester's side of the link, on 127.0.0.1 or a pseudo-terminal."};
    std::string data, ptyLink, generate, generateSite;
    int port = 9760;
    bool pty = false;
    std::vector<std::string> refusals;
    bool refuseFiles = false, ttError = false;
    TSimFaults faults;
    app.add_option("--data", data, "Folder of stored tests")->option_text("DIR");
    app.add_option("--port", port, "TCP port on 127.0.0.1 (0: any free)")->check(CLI::Range(0, 65535))->option_text("N");
    app.add_flag("--pty", pty, "Serve a pseudo-terminal instead of TCP");
    app.add_option("--pty-link", ptyLink, "Symlink to the pseudo-terminal's slave")->option_text("PATH");
    app.add_option("--generate", generate, "Write the sample tests into DIR and exit")->option_text("DIR");
    app.add_option("--generate-site", generateSite, "Write the realistic site tests into DIR and exit")->option_text("DIR");
    app.add_option("--close-after", faults.CloseAfterReplies, "Drop the connection after K replies")->check(CLI::NonNegativeNumber)->option_text("K");
    app.add_option("--delay-ms", faults.DelayMs, "Delay every reply by MS milliseconds")->check(CLI::NonNegativeNumber)->option_text("MS");
    int handshakeAfter = 0;
    bool neverHandshake = false;
    app.add_option("--handshake-after-ms", handshakeAfter,
                   "Complete no TCP handshake before MS milliseconds after start (clients connect at their next SYN retry)")
        ->check(CLI::NonNegativeNumber)
        ->option_text("MS");
    app.add_flag("--never-handshake", neverHandshake, "Complete no TCP handshake at all");
    app.add_option("--refuse", refusals,
                   "Refuse the two-letter command CMD (FS, FR, FW, FA, Ul, TT, TO, Td, ...): every request, or only the K-th "
                   "(1-based); repeatable. #TT is refused with status 11, every other command with 1")
        ->check(CLI::Validator(checkRefusal, "CMD[:K]"))
        ->option_text("CMD[:K]");
    app.add_flag("--refuse-files", refuseFiles, "Refuse #FS, #FR, #FW and #Ul (as --refuse for each)");
    app.add_flag("--tt-status-11", ttError, "Answer #TT with status 11 (as --refuse TT)");
    app.add_flag("--oversize", faults.Oversize, "Announce replies longer than 502 bytes");
    app.add_flag("--never-finish-deletion", faults.NeverFinishDeletion, "Never report a deletion finished");
    app.add_flag("--bad-checksum", faults.BadChecksum, "Spoil the #NU checksum");
    app.add_flag("--log", faults.Log, "Log every request on stderr");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // --help ends with 0; every usage error with 2, as vybitor5-cli does.
        exitCode = app.exit(e) == 0 ? 0 : 2;
        return std::nullopt;
    }

    for (const std::string& r : refusals)
        faults.Refusals.push_back(parseRefusal(r));
    if (refuseFiles)
        for (const char* command : {"FS", "FR", "FW", "Ul"})
            faults.Refusals.push_back({command, 0});
    if (ttError)
        faults.Refusals.push_back({"TT", 0});
    TSimOptions options;
    options.DataFolder = QString::fromStdString(data);
    options.Port = quint16(port);
    options.Pty = pty;
    options.PtyLink = QString::fromStdString(ptyLink);
    options.GenerateFolder = QString::fromStdString(generate);
    options.GenerateSiteFolder = QString::fromStdString(generateSite);
    options.Faults = faults;
    options.HandshakeAfterMs = neverHandshake ? -1 : handshakeAfter;
    return options;
}
