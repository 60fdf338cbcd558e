// The Install.ifo parser on any bytes, as ReadInstallScript gives it a file (the text ends at the first zero
// byte), then what the installer and ifocheck make of the result: the syntax error box text, or the summary and
// the JSON of the description. Besides the sanitizers, a fault is a parse that reports success without a complete
// description, or an error without its message.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "script/ScriptParser.h"
#include "tools/ifocheck/Report.h"

namespace {

void Require(bool holds, const char* what)
{
    if (!holds) {
        fprintf(stderr, "script_parser: %s\n", what);
        abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    // Parsed into a description that a previous input filled, as the installer's second call after a failed first.
    static INSTALL_DESCRIPTION* description = new INSTALL_DESCRIPTION();
    SCRIPT_ERROR error = {};
    if (ParseInstallScript(CZVString(text.c_str()), description, &error)) {
        const INSTALL_SETTINGS& settings = description->settings;
        Require(settings.installtypecount != 0 && settings.installtypecount <= 10, "install type count out of range");
        Require(settings.numberofdisc >= 1, "fewer than one disc");
        Require(description->discLabels.size() >= (size_t)settings.numberofdisc, "a disc without its label");
        FormatSummary(*description);
        FormatJson(*description, nullptr);
    } else {
        Require(error.message != nullptr && error.line >= 1, "a failed parse without its error");
        FormatScriptError(error, "Install.ifo");
        FormatJsonError(error);
    }
    return 0;
}
