#include "startup/CommandLine.h"

#include <cstring>

namespace {

enum ScanState {
    kBetweenOptions,
    kOptionName,
    kValueStart,
    kQuotedValue,
    kPlainValue,
};

// What the value being read belongs to.
enum ValueOwner {
    kDirValue,
    kTypeValue,
    kTargetValue,
    kLogValue,
    kSkippedValue, // the value of a bad option
};

const int32_t kMaxTypeNumber = 999;

// A token of at most kPathBytes - 1 bytes; bytes past that are dropped and remembered.
struct TOKEN {
    char text[kPathBytes];
    int length;
    bool cut;

    void Start() { length = 0, text[0] = '\0', cut = false; }
    void Add(char ch)
    {
        if (length < kPathBytes - 1) {
            text[length++] = ch;
            text[length] = '\0';
        } else {
            cut = true;
        }
    }
};

char LowerAscii(char ch)
{
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

// True when token begins with name (lower case), ASCII case ignored.
bool StartsWithNoCase(const TOKEN& token, const char* name)
{
    int i = 0;
    for (; name[i] != '\0'; i++) {
        if (i >= token.length || LowerAscii(token.text[i]) != name[i])
            return false;
    }
    return true;
}

bool EqualsNoCase(const TOKEN& token, const char* name)
{
    return static_cast<size_t>(token.length) == strlen(name) && StartsWithNoCase(token, name);
}

void CopyToken(const TOKEN& token, char* destination)
{
    memcpy(destination, token.text, static_cast<size_t>(token.length) + 1);
}

// Keeps the first bad option: a hyphen and what was read of it.
void MarkBad(COMMAND_LINE_OPTIONS* options, const TOKEN& option)
{
    if (options->badOption[0] != '\0')
        return;
    options->badOption[0] = '-';
    int length = option.length < kPathBytes - 2 ? option.length : kPathBytes - 2;
    memcpy(options->badOption + 1, option.text, static_cast<size_t>(length));
    options->badOption[length + 1] = '\0';
}

// A number from 1 to kMaxTypeNumber written in decimal digits only; 0 for anything else.
int32_t ReadTypeNumber(const TOKEN& value)
{
    int32_t number = 0;
    for (int i = 0; i < value.length; i++) {
        char ch = value.text[i];
        if (ch < '0' || ch > '9')
            return 0;
        number = number * 10 + (ch - '0');
        if (number > kMaxTypeNumber)
            return 0;
    }
    return number;
}

bool* FlagOf(const TOKEN& name, COMMAND_LINE_OPTIONS* options)
{
    const struct {
        const char* name;
        bool* flag;
    } flags[] = {
        {"quiet", &options->quiet},
        {"reinstall", &options->reinstall},
        {"uninstall", &options->uninstall},
        {"erase", &options->erase},
        {"nodesktop", &options->noDesktop},
        {"nostartmenu", &options->noStartMenu},
        {"allusers", &options->allUsers},
    };
    for (const auto& flag : flags) {
        if (EqualsNoCase(name, flag.name))
            return flag.flag;
    }
    return nullptr;
}

class CCommandLineScanner {
public:
    explicit CCommandLineScanner(COMMAND_LINE_OPTIONS* options)
        : m_options(options)
    {
    }

    void Scan(const char* cmdLine)
    {
        for (const char* cursor = cmdLine; *cursor != '\0'; cursor++)
            Step(*cursor);
        Finish();
    }

private:
    void Step(char ch)
    {
        switch (m_state) {
        case kBetweenOptions:
            if (ch == '-') {
                m_name.Start();
                m_state = kOptionName;
            }
            break;
        case kOptionName:
            if (ch == ' ' || ch == ':')
                EndName(ch == ':', false);
            else
                m_name.Add(ch);
            break;
        case kValueStart:
            m_value.Start();
            if (ch == '"') {
                m_state = kQuotedValue;
            } else if (ch == ' ' && m_owner != kDirValue) {
                // "-type: " has no value; -dir keeps taking the byte after its separator, a blank included.
                EndValue(false);
            } else {
                m_value.Add(ch);
                m_state = kPlainValue;
            }
            break;
        case kQuotedValue:
            if (ch == '"')
                EndValue(true);
            else
                m_value.Add(ch);
            break;
        case kPlainValue:
            if (ch == ' ')
                EndValue(true);
            else
                m_value.Add(ch);
            break;
        }
    }

    // The line ended: -silent, -temp, -dir and an unquoted -dir value need a byte after them, the others do not.
    void Finish()
    {
        switch (m_state) {
        case kBetweenOptions: break;
        case kOptionName: EndName(false, true); break;
        case kValueStart: EndValue(false); break;
        case kQuotedValue: EndValue(false); break;
        case kPlainValue: EndValue(m_owner != kDirValue); break;
        }
    }

    void EndName(bool colon, bool atEnd)
    {
        m_state = kBetweenOptions;
        if (!atEnd) {
            if (StartsWithNoCase(m_name, "silent")) {
                m_options->silent = true;
                return;
            }
            if (StartsWithNoCase(m_name, "temp")) {
                m_options->temp = true;
                return;
            }
            if (StartsWithNoCase(m_name, "dir")) {
                StartValue(kDirValue);
                return;
            }
        }
        if (bool* flag = FlagOf(m_name, m_options)) {
            if (colon) {
                MarkBad(m_options, m_name);
                StartValue(kSkippedValue);
            } else {
                *flag = true;
            }
            return;
        }
        const struct {
            const char* name;
            ValueOwner owner;
        } valued[] = {{"type", kTypeValue}, {"target", kTargetValue}, {"log", kLogValue}};
        for (const auto& option : valued) {
            if (EqualsNoCase(m_name, option.name)) {
                if (atEnd)
                    MarkBad(m_options, m_name);
                else
                    StartValue(option.owner);
                return;
            }
        }
        MarkBad(m_options, m_name);
        if (colon)
            StartValue(kSkippedValue);
    }

    void StartValue(ValueOwner owner)
    {
        m_owner = owner;
        m_state = kValueStart;
    }

    // complete: the value was ended by its closing quote or a blank (or, but for -dir, by the end of the line).
    void EndValue(bool complete)
    {
        m_state = kBetweenOptions;
        if (m_owner == kSkippedValue)
            return;
        if (m_owner == kDirValue) {
            if (complete)
                CopyToken(m_value, m_options->dir);
            return;
        }
        // A double quote is no part of a path, and would end the value where the copy is handed it.
        if (!complete || m_value.length == 0 || m_value.cut || strchr(m_value.text, '"') != nullptr) {
            MarkBad(m_options, m_name);
            return;
        }
        switch (m_owner) {
        case kTypeValue:
            m_options->type = ReadTypeNumber(m_value);
            if (m_options->type == 0)
                MarkBad(m_options, m_name);
            break;
        case kTargetValue: CopyToken(m_value, m_options->target); break;
        case kLogValue: CopyToken(m_value, m_options->log); break;
        case kDirValue:
        case kSkippedValue: break;
        }
    }

    COMMAND_LINE_OPTIONS* m_options;
    ScanState m_state = kBetweenOptions;
    ValueOwner m_owner = kSkippedValue;
    TOKEN m_name;
    TOKEN m_value;
};

} // namespace

void ParseCommandLine(const char* cmdLine, COMMAND_LINE_OPTIONS* options)
{
    memset(options, 0, sizeof(*options));
    if (cmdLine != nullptr)
        CCommandLineScanner(options).Scan(cmdLine);
}

CZVString FormatHandedOnOptions(const COMMAND_LINE_OPTIONS& options)
{
    CZVString text;
    if (!options.quiet)
        return text;
    text.Append(" -quiet");
    const struct {
        bool given;
        const char* option;
    } flags[] = {
        {options.reinstall, " -reinstall"},
        {options.uninstall, " -uninstall"},
        {options.erase, " -erase"},
        {options.noDesktop, " -nodesktop"},
        {options.noStartMenu, " -nostartmenu"},
        {options.allUsers, " -allusers"},
    };
    for (const auto& flag : flags) {
        if (flag.given)
            text.Append(flag.option);
    }
    if (options.type > 0)
        text.Append(CZVString::Format(" -type:%d", options.type));
    if (options.target[0] != '\0')
        text = text + " -target:\"" + options.target + "\"";
    if (options.log[0] != '\0')
        text = text + " -log:\"" + options.log + "\"";
    return text;
}
