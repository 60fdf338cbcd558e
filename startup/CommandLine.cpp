#include "startup/CommandLine.h"

namespace {

enum ScanState {
    kBetweenOptions,
    kOptionName,
    kDirValueStart,
    kQuotedValue,
    kPlainValue,
};

// A token of at most kPathBytes - 1 bytes; bytes past that are dropped.
struct TOKEN {
    char text[kPathBytes];
    int length;

    void Start() { length = 0, text[0] = '\0'; }
    void Add(char ch)
    {
        if (length < kPathBytes - 1) {
            text[length++] = ch;
            text[length] = '\0';
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

void StoreDir(const TOKEN& token, COMMAND_LINE_OPTIONS* options)
{
    for (int i = 0; i <= token.length; i++)
        options->dir[i] = token.text[i];
}

} // namespace

void ParseCommandLine(const char* cmdLine, COMMAND_LINE_OPTIONS* options)
{
    options->silent = false;
    options->temp = false;
    options->dir[0] = '\0';
    if (cmdLine == nullptr)
        return;

    TOKEN token;
    token.Start();
    ScanState state = kBetweenOptions;
    for (const char* cursor = cmdLine; *cursor != '\0'; cursor++) {
        char ch = *cursor;
        switch (state) {
        case kBetweenOptions:
            if (ch == '-') {
                token.Start();
                state = kOptionName;
            }
            break;
        case kOptionName:
            if (ch == ' ' || ch == ':') {
                if (StartsWithNoCase(token, "silent")) {
                    options->silent = true;
                    state = kBetweenOptions;
                } else if (StartsWithNoCase(token, "temp")) {
                    options->temp = true;
                    state = kBetweenOptions;
                } else if (StartsWithNoCase(token, "dir")) {
                    state = kDirValueStart;
                }
                // An unknown name stays open: the separator is dropped and the next bytes extend the same token.
            } else {
                token.Add(ch);
            }
            break;
        case kDirValueStart:
            token.Start();
            if (ch == '"') {
                state = kQuotedValue;
            } else {
                token.Add(ch);
                state = kPlainValue;
            }
            break;
        case kQuotedValue:
            if (ch == '"') {
                StoreDir(token, options);
                state = kBetweenOptions;
            } else {
                token.Add(ch);
            }
            break;
        case kPlainValue:
            if (ch == ' ') {
                StoreDir(token, options);
                state = kBetweenOptions;
            } else {
                token.Add(ch);
            }
            break;
        }
    }
}
