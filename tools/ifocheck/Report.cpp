#include "tools/ifocheck/Report.h"

#include <cstdio>
#include <cstring>

#include "tools/HostText.h"

namespace {

std::string Utf8(const char* cp932)
{
    return Cp932ToUtf8(cp932);
}

std::string Quoted(const std::string& utf8)
{
    std::string out = "\"";
    for (unsigned char ch : utf8) {
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += static_cast<char>(ch);
        } else if (ch == '\n') {
            out += "\\n";
        } else if (ch == '\r') {
            out += "\\r";
        } else if (ch == '\t') {
            out += "\\t";
        } else if (ch < 0x20) {
            char escaped[8];
            snprintf(escaped, sizeof(escaped), "\\u%04x", ch);
            out += escaped;
        } else {
            out += static_cast<char>(ch);
        }
    }
    return out + "\"";
}

std::string Text(const char* cp932)
{
    return Quoted(Utf8(cp932));
}

std::string Bool(bool value)
{
    return value ? "true" : "false";
}

// "[a, b]" from already formatted items.
std::string Array(const std::vector<std::string>& items)
{
    std::string out = "[";
    for (size_t i = 0; i < items.size(); i++)
        out += (i ? ", " : "") + items[i];
    return out + "]";
}

// The value of one settings field in JSON.
std::string FieldJson(const INSTALL_SETTINGS& settings, const SETTING_FIELD& field)
{
    const char* base = reinterpret_cast<const char*>(&settings) + field.offset;
    int32_t number = 0;
    std::vector<std::string> items;
    switch (field.kind) {
    case kSettingText: return Text(base);
    case kSettingInteger: memcpy(&number, base, sizeof(number)); return std::to_string(number);
    case kSettingBool: return Bool(*base != 0);
    case kSettingTextList:
        for (int i = 0; i < kMaxInstallTypes; i++)
            items.push_back(Text(base + i * field.bytes));
        return Array(items);
    case kSettingIntegerList:
        for (int i = 0; i < kMaxInstallTypes; i++) {
            memcpy(&number, base + i * field.bytes, sizeof(number));
            items.push_back(std::to_string(number));
        }
        return Array(items);
    }
    return "null";
}

} // namespace

std::string FormatSummary(const INSTALL_DESCRIPTION& description)
{
    const INSTALL_SETTINGS& s = description.settings;
    std::string out = "title: " + Utf8(s.gametitle) + "\n";
    out += "install types: " + std::to_string(s.installtypecount) + "\n";
    for (int type = 0; type < s.installtypecount && type < kMaxInstallTypes; type++) {
        out += "  " + std::to_string(type) + " " + Utf8(s.installtypename[type]) + ": "
            + std::to_string(s.installrequire[type]) + " MB, " + std::to_string(description.typeFiles[type].size())
            + " file entries\n";
    }
    out += "discs: " + std::to_string(s.numberofdisc) + "\n";
    for (size_t disc = 0; disc < description.discLabels.size(); disc++)
        out += "  " + std::to_string(disc + 1) + " " + Utf8(description.discLabels[disc].GetString()) + "\n";
    out += "directories: " + std::to_string(description.makeDirCount) + "\n";
    for (int i = 0; i < description.makeDirCount; i++)
        out += "  " + Utf8(description.makeDirs[i]) + "\n";
    out += "shortcuts: " + std::to_string(description.shortcuts.size()) + "\n";
    for (const SHORTCUT_ENTRY& shortcut : description.shortcuts) {
        out += "  " + Utf8(shortcut.name) + " -> " + Utf8(shortcut.target);
        if (shortcut.arguments[0])
            out += " " + Utf8(shortcut.arguments);
        out += " (icon " + std::to_string(shortcut.iconIndex) + ")\n";
    }
    out += "buttons: " + std::to_string(description.commands.size()) + "\n";
    for (const COMMAND_ENTRY& command : description.commands) {
        out += "  " + Utf8(command.caption) + " -> " + Utf8(command.command)
            + (command.waitForExit ? " (waits for it)\n" : "\n");
    }
    return out;
}

std::string FormatJson(const INSTALL_DESCRIPTION& description, const std::vector<std::string>* warnings)
{
    std::string out = "{\n  \"settings\": {\n";
    for (int i = 0; i < kSettingFieldCount; i++) {
        out += "    " + Quoted(kSettingFields[i].name) + ": " + FieldJson(description.settings, kSettingFields[i]);
        out += i + 1 < kSettingFieldCount ? ",\n" : "\n";
    }
    out += "  },\n  \"typeFiles\": [\n";
    for (int type = 0; type < kMaxInstallTypes; type++) {
        std::vector<std::string> files;
        for (const FILE_ENTRY& entry : description.typeFiles[type])
            files.push_back("{\"fileName\": " + Text(entry.fileName.GetString())
                + ", \"disc\": " + std::to_string(entry.disc) + "}");
        out += "    " + Array(files) + (type + 1 < kMaxInstallTypes ? ",\n" : "\n");
    }
    std::vector<std::string> labels, dirs, shortcuts, commands;
    for (const CZVString& label : description.discLabels)
        labels.push_back(Text(label.GetString()));
    for (int i = 0; i < description.makeDirCount; i++)
        dirs.push_back(Text(description.makeDirs[i]));
    for (const SHORTCUT_ENTRY& s : description.shortcuts)
        shortcuts.push_back("{\"name\": " + Text(s.name) + ", \"target\": " + Text(s.target)
            + ", \"arguments\": " + Text(s.arguments) + ", \"iconIndex\": " + std::to_string(s.iconIndex) + "}");
    for (const COMMAND_ENTRY& c : description.commands)
        commands.push_back("{\"command\": " + Text(c.command) + ", \"caption\": " + Text(c.caption)
            + ", \"waitForExit\": " + Bool(c.waitForExit) + "}");
    out += "  ],\n  \"discLabels\": " + Array(labels);
    out += ",\n  \"makeDirs\": " + Array(dirs);
    out += ",\n  \"shortcuts\": " + Array(shortcuts);
    out += ",\n  \"commands\": " + Array(commands);
    if (warnings != nullptr) {
        std::vector<std::string> quoted;
        for (const std::string& warning : *warnings)
            quoted.push_back(Quoted(warning));
        out += ",\n  \"warnings\": " + Array(quoted);
    }
    return out + "\n}\n";
}

std::string FormatJsonError(const SCRIPT_ERROR& error)
{
    return "{\"error\": {\"message\": " + Text(error.message ? error.message : "")
        + ", \"line\": " + std::to_string(error.line) + ", \"text\": " + Text(error.lineText.GetString()) + "}}\n";
}
