// ifocheck: checks an Install.ifo with the installer's own parser, for the people who write it.
//   ifocheck [--json] [--strict] [--disc DIR]... FILE
// Exit codes: 0 the script is good (warnings allowed), 1 syntax error, 2 the file cannot be read or the command
// line is wrong, 3 warnings with --strict.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "script/ScriptParser.h"
#include "tools/HostText.h"
#include "tools/ifocheck/DiscCheck.h"
#include "tools/ifocheck/Report.h"
#include "tools/ifocheck/ScriptCheck.h"

namespace {

const char kUsage[] = "usage: ifocheck [--json] [--strict] [--disc DIR]... FILE\n"
                      "  --json      print the install description (or the syntax error) as JSON\n"
                      "  --disc DIR  the folder of the next disc (give one per disc, in disc order): also check\n"
                      "              the script against the files on the discs and print warnings\n"
                      "  --strict    exit with 3 when there are warnings\n";

// Stands in for the file name in the syntax report, which is converted from Shift-JIS as a whole: the name
// itself is in the system's encoding and goes in afterwards. No Shift-JIS byte and no message text holds it.
const char kFileNameMark[] = "\x1f";

void PrintRaw(const std::string& bytes)
{
    fwrite(bytes.data(), 1, bytes.size(), stdout);
}

// People's text as the console shows it; JSON stays UTF-8 everywhere.
void PrintText(const std::string& utf8)
{
    WriteText(stdout, utf8);
}

int Usage()
{
    fputs(kUsage, stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    bool json = false, strict = false;
    std::vector<std::string> discFolders;
    const char* fileName = nullptr;
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "--json") == 0) {
            json = true;
        } else if (strcmp(argv[i], "--strict") == 0) {
            strict = true;
        } else if (strcmp(argv[i], "--disc") == 0 && i + 1 < argc) {
            discFolders.push_back(SystemToUtf8(argv[++i]));
        } else if (strcmp(argv[i], "--help") == 0) {
            fputs(kUsage, stdout);
            return 0;
        } else if (argv[i][0] == '-' || fileName != nullptr) {
            return Usage();
        } else {
            fileName = argv[i];
        }
    }
    if (fileName == nullptr)
        return Usage();

    std::unique_ptr<INSTALL_DESCRIPTION> description(new INSTALL_DESCRIPTION());
    SCRIPT_ERROR error;
    switch (ReadInstallScript(fileName, description.get(), &error)) {
    case kScriptUnreadable: fprintf(stderr, "ifocheck: cannot read %s\n", fileName); return 2;
    case kScriptSyntaxError:
        if (json) {
            PrintRaw(FormatJsonError(error));
        } else {
            std::string report = Cp932ToUtf8(FormatScriptError(error, kFileNameMark).GetString());
            report.replace(report.find(kFileNameMark), 1, SystemToUtf8(fileName));
            PrintText(report + "\n");
        }
        return 1;
    case kScriptRead: break;
    }

    std::vector<std::string> warnings = CheckScript(*description);
    if (!discFolders.empty()) {
        std::vector<std::string> discWarnings = CheckAgainstDiscs(*description, discFolders);
        warnings.insert(warnings.end(), discWarnings.begin(), discWarnings.end());
    }
    if (json) {
        PrintRaw(FormatJson(*description, discFolders.empty() && warnings.empty() ? nullptr : &warnings));
    } else {
        PrintText(FormatSummary(*description));
        for (const std::string& warning : warnings)
            PrintText("warning: " + warning + "\n");
    }
    return strict && !warnings.empty() ? 3 : 0;
}
