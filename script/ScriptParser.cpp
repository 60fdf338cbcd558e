#include "script/ScriptParser.h"

#include <cstring>
#include <string>

#include "foundation/SystemApi.h"
#include "script/ScriptTexts.h"

namespace {

// numberofdisc is bounded above as well as below: each disc gets a label at the end of the parse, and markers
// are named DISCID.%03d, so three digits are the most a title can use.
const int32_t kMaxDiscs = 999;

// Copies value into a field of fieldBytes bytes (terminator included). A value that does not fit is refused, never
// cut: a cut path or name would silently mean something else.
bool CopyField(char* field, size_t fieldBytes, const CZVString& value)
{
    size_t length = static_cast<size_t>(value.GetLength());
    if (length >= fieldBytes)
        return false;
    memcpy(field, value.GetString(), length + 1);
    return true;
}

// gametitle keeps at most its first fieldBytes - 1 bytes, cut at a character boundary so that no lead byte is left
// without its trail byte to swallow whatever text is joined after the title.
void CopyCut(char* field, size_t fieldBytes, const CZVString& value)
{
    CopyCutAtChar(field, static_cast<int>(fieldBytes), value.GetString());
}

bool ReadBool(const CZVString& value, bool* result)
{
    static const char* const kTrue[] = {"yes", "true", "1"};
    static const char* const kFalse[] = {"no", "false", "0"};
    for (const char* word : kTrue) {
        if (value.EqualsNoCase(CZVString(word))) {
            *result = true;
            return true;
        }
    }
    for (const char* word : kFalse) {
        if (value.EqualsNoCase(CZVString(word))) {
            *result = false;
            return true;
        }
    }
    return false;
}

class CScriptParser {
public:
    explicit CScriptParser(INSTALL_DESCRIPTION* description);
    bool Parse(const CZVString& text, SCRIPT_ERROR* error);

private:
    const char* _ParseLine(const CZVString& line);
    const char* _ParseVariable(const CZVString& line);
    const char* _ParseList(const CZVString& value, const SETTING_FIELD& field);
    const char* _ParseCommandButton(const CZVString& value);
    const char* _ParseCommand(const CZVString& line);
    const char* _ParseShortcut(const CZVString& line, CZVString& words);
    const char* _ParseFile(const CZVString& line);
    char* _Field(const SETTING_FIELD& field) { return reinterpret_cast<char*>(&m_settings) + field.offset; }

    INSTALL_DESCRIPTION& m_description;
    INSTALL_SETTINGS& m_settings;
    const CZVString m_blanks;
    const CZVString m_comma;
    const CZVString m_flagDelimiters;
    const SETTING_FIELD* m_variableFields[kScriptVariableCount + 1]; // null for the empty name and for cmd
    int32_t m_gameTitleVariable;
    int32_t m_typeCountVariable;
    int32_t m_discCountVariable;
    int32_t m_commandButtonVariable;
    bool m_fileAddMode;
    int32_t m_sectionCount;
    int32_t m_discLabelCount;
    int32_t m_lineNumber; // of the line being parsed
};

CScriptParser::CScriptParser(INSTALL_DESCRIPTION* description)
    : m_description(*description)
    , m_settings(description->settings)
    , m_blanks(" \t\n")
    , m_comma(",")
    , m_flagDelimiters(" ,\t\n")
    , m_fileAddMode(false)
    , m_sectionCount(0)
    , m_discLabelCount(0)
    , m_lineNumber(0)
{
    for (int i = 0; i <= kScriptVariableCount; i++)
        m_variableFields[i] = i == 0 ? nullptr : FindSettingField(kScriptVariableNames[i]);
    m_gameTitleVariable = m_description.LookUpVariable(CZVString("gametitle"));
    m_typeCountVariable = m_description.LookUpVariable(CZVString("installtypecount"));
    m_discCountVariable = m_description.LookUpVariable(CZVString("numberofdisc"));
    m_commandButtonVariable = m_description.LookUpVariable(CZVString("cmd"));
}

bool CScriptParser::Parse(const CZVString& text, SCRIPT_ERROR* error)
{
    m_description.Reset();
    CZVString reader(text);
    CZVString line = reader.GetFirstLine();
    m_lineNumber = 1;
    while (!reader.IsEndOfLines()) {
        line.Trim(m_blanks);
        const char* message = _ParseLine(line);
        if (message != nullptr) {
            error->message = message;
            error->line = m_lineNumber;
            error->lineText = line;
            return false;
        }
        line = reader.GetNextLine();
        m_lineNumber++;
    }
    if (m_settings.installtypecount == 0) {
        error->message = ZV_ERROR_NO_TYPE_COUNT;
        error->line = m_lineNumber;
        error->lineText.Empty();
        return false;
    }
    for (int32_t disc = m_discLabelCount + 1; disc <= m_settings.numberofdisc; disc++)
        // Joined, not formatted: the start from the disc reads the script and formats through user32, which it
        // would load for this alone.
        m_description.discLabels.push_back(CZVString(ZV_TEXT_DISC_LABEL) + std::to_string(disc).c_str());
    m_description.BackUpSettings();
    return true;
}

// Returns the error text, or null when the line is good.
const char* CScriptParser::_ParseLine(const CZVString& line)
{
    if (line.IsEmpty())
        return nullptr;
    switch (line.GetAt(0)) {
    case '#': return nullptr;
    case '$': return _ParseVariable(line);
    case '&': return _ParseCommand(line);
    case '!': {
        CZVString label = line.Mid(1);
        label.Trim(m_blanks);
        m_description.discLabels.push_back(label);
        m_discLabelCount++;
        return nullptr;
    }
    default: return _ParseFile(line);
    }
}

const char* CScriptParser::_ParseVariable(const CZVString& line)
{
    int equals = line.Find('=');
    if (equals < 0)
        return ZV_ERROR_SYNTAX;
    CZVString name = line.Left(equals);
    name.Trim(m_blanks);
    name = name.Mid(1); // the '$' alone: a blank after it stays part of the name
    name.MakeLower();
    CZVString value = line.Mid(equals + 1);
    value.Trim(m_blanks);

    int32_t variable = m_description.LookUpVariable(name);
    if (variable == 0)
        return ZV_ERROR_UNKNOWN_VARIABLE;
    if (variable == m_commandButtonVariable)
        return _ParseCommandButton(value);
    m_description.settingLines[name] = m_lineNumber;

    const SETTING_FIELD& field = *m_variableFields[variable];
    if (variable == m_gameTitleVariable) {
        CopyCut(_Field(field), field.bytes, value);
        return nullptr;
    }
    switch (field.kind) {
    case kSettingText: return CopyField(_Field(field), field.bytes, value) ? nullptr : ZV_ERROR_VALUE_TOO_LONG;
    case kSettingInteger: {
        int32_t number = ReadScriptInteger(value.GetString());
        memcpy(_Field(field), &number, sizeof(number));
        if (variable == m_typeCountVariable && number > kMaxInstallTypes)
            return ZV_ERROR_TYPE_COUNT_MAX;
        if (variable == m_discCountVariable && number < 1)
            return ZV_ERROR_DISC_COUNT_MIN;
        if (variable == m_discCountVariable && number > kMaxDiscs)
            return ZV_ERROR_DISC_COUNT_MAX;
        return nullptr;
    }
    case kSettingBool: {
        bool flag = false;
        if (!ReadBool(value, &flag))
            return ZV_ERROR_BOOL;
        memcpy(_Field(field), &flag, sizeof(flag));
        return nullptr;
    }
    case kSettingTextList:
    case kSettingIntegerList: return _ParseList(value, field);
    }
    return nullptr;
}

// installtypename and installrequire: comma-separated, each entry trimmed; the first blank entry or the tenth ends
// the list, and the entries read must match installtypecount.
const char* CScriptParser::_ParseList(const CZVString& value, const SETTING_FIELD& field)
{
    if (m_settings.installtypecount == 0)
        return ZV_ERROR_TYPE_COUNT_FIRST;
    CZVString list(value);
    int32_t stored = 0;
    CZVString token = list.GetFirstToken(m_comma);
    while (stored < kMaxInstallTypes) {
        token.Trim(m_blanks);
        if (token.IsEmpty())
            break;
        char* entry = _Field(field) + stored * field.bytes;
        if (field.kind == kSettingTextList) {
            if (!CopyField(entry, field.bytes, token))
                return ZV_ERROR_VALUE_TOO_LONG;
        } else {
            int32_t number = ReadScriptInteger(token.GetString());
            memcpy(entry, &number, sizeof(number));
        }
        stored++;
        token = list.GetNextToken(m_comma);
    }
    if (stored != m_settings.installtypecount)
        return ZV_ERROR_TYPE_COUNT_DIFFERS;
    return nullptr;
}

// $cmd = command,caption,flag. The fields are not trimmed: a blank before the flag makes it unreadable.
const char* CScriptParser::_ParseCommandButton(const CZVString& value)
{
    COMMAND_ENTRY entry;
    memset(&entry, 0, sizeof(entry));
    CZVString fields(value);
    CZVString command = fields.GetFirstToken(m_comma);
    if (command.IsEmpty())
        return ZV_ERROR_CMD_COMMAND;
    if (!CopyField(entry.command, sizeof(entry.command), command))
        return ZV_ERROR_VALUE_TOO_LONG;
    CZVString caption = fields.GetNextToken(m_comma);
    if (caption.IsEmpty())
        return ZV_ERROR_CMD_CAPTION;
    if (!CopyField(entry.caption, sizeof(entry.caption), caption))
        return ZV_ERROR_VALUE_TOO_LONG;
    if (!ReadBool(fields.GetNextToken(m_flagDelimiters), &entry.waitForExit))
        return ZV_ERROR_BOOL;
    m_description.commands.push_back(entry);
    return nullptr;
}

const char* CScriptParser::_ParseCommand(const CZVString& line)
{
    CZVString words(line);
    CZVString word = words.GetFirstToken(m_blanks);
    word = word.Mid(1);
    word.MakeLower();
    switch (m_description.LookUpCommand(word)) {
    case kCommandStart:
        if (m_fileAddMode)
            return ZV_ERROR_ALREADY_ADDING;
        m_fileAddMode = true;
        m_sectionCount++;
        if (m_sectionCount > m_settings.installtypecount)
            return ZV_ERROR_TOO_MANY_TYPES;
        return nullptr;
    case kCommandEnd:
        if (!m_fileAddMode)
            return ZV_ERROR_END_WITHOUT_START;
        m_fileAddMode = false;
        return nullptr;
    case kCommandMakeDir: {
        if (m_description.makeDirCount >= kMaxMakeDirs)
            return ZV_ERROR_TOO_MANY_DIRS;
        CZVString path = words.GetNextToken(m_blanks);
        if (path.IsEmpty())
            return ZV_ERROR_MKDIR_ARGUMENT;
        if (!CopyField(m_description.makeDirs[m_description.makeDirCount], kPathBytes, path))
            return ZV_ERROR_VALUE_TOO_LONG;
        m_description.makeDirCount++;
        return nullptr;
    }
    case kCommandMakeShortcut: return _ParseShortcut(line, words);
    default: return ZV_ERROR_UNDEFINED_COMMAND;
    }
}

// &mksc name,target arguments,icon. The argument text is everything after the line's first space (so it may
// begin with more blanks), or the next word when the line has no space.
const char* CScriptParser::_ParseShortcut(const CZVString& line, CZVString& words)
{
    int space = line.Find(' ');
    CZVString arguments = space >= 0 ? line.Mid(space + 1) : words.GetNextToken(m_blanks);
    if (arguments.IsEmpty())
        return ZV_ERROR_MKSC_ARGUMENT;
    SHORTCUT_ENTRY entry;
    memset(&entry, 0, sizeof(entry));
    CZVString name = arguments.GetFirstToken(m_comma);
    CZVString command = arguments.GetNextToken(m_comma);
    if (command.IsEmpty())
        return ZV_ERROR_MKSC_COMMAND;
    int split = command.Find(' ');
    CZVString target = split >= 0 ? command.Left(split) : command;
    CZVString targetArguments = split >= 0 ? command.Mid(split + 1) : CZVString();
    if (!CopyField(entry.name, sizeof(entry.name), name) || !CopyField(entry.target, sizeof(entry.target), target)
        || !CopyField(entry.arguments, sizeof(entry.arguments), targetArguments))
        return ZV_ERROR_VALUE_TOO_LONG;
    CZVString icon = arguments.GetNextToken(m_comma);
    if (!icon.IsEmpty())
        entry.iconIndex = ReadScriptInteger(icon.GetString());
    entry.scriptLine = m_lineNumber;
    m_description.shortcuts.push_back(entry);
    return nullptr;
}

// A file of the current section belongs to its install type and every higher one.
const char* CScriptParser::_ParseFile(const CZVString& line)
{
    if (!m_fileAddMode)
        return ZV_ERROR_IDENTIFIER;
    int comma = line.Find(',');
    if (comma == 0)
        return ZV_ERROR_FILE_BEFORE_DISC;
    FILE_ENTRY entry;
    entry.disc = 1;
    if (comma < 0) {
        entry.fileName = line;
    } else {
        entry.fileName = line.Left(comma);
        entry.fileName.TrimAndUnquote();
        CZVString disc = line.Mid(comma + 1);
        disc.TrimAndUnquote();
        entry.disc = ReadScriptInteger(disc.GetString());
        if (entry.disc == 0)
            return ZV_ERROR_DISC_NUMBER;
    }
    for (int32_t type = m_sectionCount - 1; type < m_settings.installtypecount && type < kMaxInstallTypes; type++)
        m_description.typeFiles[type].push_back(entry);
    return nullptr;
}

} // namespace

int32_t ReadScriptInteger(const char* text)
{
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        p++;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        p++;
    int64_t magnitude = 0;
    const int64_t kLimit = int64_t(INT32_MAX) + 1;
    for (; *p >= '0' && *p <= '9'; p++) {
        if (magnitude < kLimit)
            magnitude = magnitude * 10 + (*p - '0');
    }
    if (magnitude > kLimit)
        magnitude = kLimit;
    if (negative)
        return static_cast<int32_t>(-magnitude);
    return static_cast<int32_t>(magnitude > INT32_MAX ? INT32_MAX : magnitude);
}

bool ParseInstallScript(const CZVString& text, INSTALL_DESCRIPTION* description, SCRIPT_ERROR* error)
{
    CScriptParser parser(description);
    error->message = nullptr;
    error->line = 0;
    error->lineText.Empty();
    return parser.Parse(text, error);
}

SCRIPT_READ_RESULT ReadInstallScript(const char* fileName, INSTALL_DESCRIPTION* description, SCRIPT_ERROR* error)
{
    description->Reset();
    CZVString text;
    if (!text.LoadFromPack(fileName))
        return kScriptUnreadable;
    return ParseInstallScript(text, description, error) ? kScriptRead : kScriptSyntaxError;
}

CZVString FormatScriptError(const SCRIPT_ERROR& error, const char* fileName)
{
    return CZVString::Format(ZV_TEXT_SYNTAX_REPORT, error.message ? error.message : "", fileName ? fileName : "",
        error.line, error.lineText.GetString());
}
