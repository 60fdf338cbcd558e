#include "tests/layout/LayoutRules.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

namespace {

const int kBottomFloor = 0;
const int kNoFloor = -1; // a folder outside the floors: tests, tools, and the like
const int kAnyFloor = -2; // resources/: data, which any file may include

const std::map<std::string, int> kFolderFloors = {
    {"foundation", 0},
    {"pack", 0},
    {"script", 1},
    {"log", 1},
    {"engine", 2},
    {"uninstall", 2},
    {"ui", 3},
    {"startup", 4},
    {"resources", kAnyFloor},
    {"tests", kNoFloor},
    {"tools", kNoFloor},
    {"bench", kNoFloor},
    {"fuzz", kNoFloor},
    {"examples", kNoFloor},
    {"docs", kNoFloor},
    {"cmake", kNoFloor},
};

const char* const kScannedFolders[] = {
    "foundation", "pack", "script", "log", "engine", "uninstall", "ui", "startup", "tests", "tools", "bench", "fuzz"};

const char* const kSourceExtensions[] = {".h", ".hpp", ".inl", ".c", ".cc", ".cpp"};

bool IsIdentifierChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

std::string TopFolder(const std::string& path)
{
    const size_t slash = path.find('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// kNoFloor also for a name that is no folder of the tree (a system header).
int FloorOf(const std::string& path)
{
    const auto found = kFolderFloors.find(TopFolder(path));
    return found == kFolderFloors.end() ? kNoFloor : found->second;
}

bool IsFloorFile(const std::string& path)
{
    return FloorOf(path) >= kBottomFloor;
}

bool IsTreeFolder(const std::string& folder)
{
    return kFolderFloors.count(folder) != 0;
}

// A raw string literal starts here: R", u8R", uR", UR" or LR" after something that is not part of a name.
bool StartsRawString(const std::string& text, size_t i)
{
    if (text[i] != 'R' || i + 1 >= text.size() || text[i + 1] != '"')
        return false;
    size_t start = i;
    if (start >= 2 && text.compare(start - 2, 2, "u8") == 0)
        start -= 2;
    else if (start >= 1 && (text[start - 1] == 'u' || text[start - 1] == 'U' || text[start - 1] == 'L'))
        start -= 1;
    return start == 0 || !IsIdentifierChar(text[start - 1]);
}

// The text with its comments (and with blankLiterals the contents of its string and character literals) turned
// into spaces. Line breaks stay, so a rule that reads lines still sees the file's lines.
std::string Blanked(const std::string& text, bool blankLiterals)
{
    std::string out = text;
    const size_t n = text.size();
    auto blank = [&out](size_t from, size_t to) {
        for (size_t k = from; k < to && k < out.size(); ++k) {
            if (out[k] != '\n')
                out[k] = ' ';
        }
    };
    size_t i = 0;
    while (i < n) {
        const char c = text[i];
        const char next = i + 1 < n ? text[i + 1] : '\0';
        if (c == '/' && next == '/') {
            size_t end = text.find('\n', i);
            end = end == std::string::npos ? n : end;
            blank(i, end);
            i = end;
        } else if (c == '/' && next == '*') {
            size_t end = text.find("*/", i + 2);
            end = end == std::string::npos ? n : end + 2;
            blank(i, end);
            i = end;
        } else if (StartsRawString(text, i)) {
            const size_t open = text.find('(', i + 2);
            if (open == std::string::npos)
                break;
            const std::string close = ")" + text.substr(i + 2, open - i - 2) + "\"";
            size_t end = text.find(close, open + 1);
            end = end == std::string::npos ? n : end;
            if (blankLiterals)
                blank(open + 1, end);
            i = end + close.size();
        } else if (c == '"' || (c == '\'' && !(i > 0 && std::isdigit(static_cast<unsigned char>(text[i - 1]))))) {
            // A quote after a digit separates digits (1'000); otherwise it starts a character literal.
            size_t j = i + 1;
            while (j < n && text[j] != c && text[j] != '\n')
                j += text[j] == '\\' ? 2 : 1;
            if (blankLiterals)
                blank(i + 1, j);
            i = j + 1;
        } else {
            ++i;
        }
    }
    return out;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

// The files of the tree that the file includes, as paths from the root. A quoted name that starts with no folder of
// the tree is looked up beside the including file first, as the compiler does; other names are system headers.
std::set<std::string> IncludedPaths(const LAYOUT_FILE& file)
{
    std::set<std::string> included;
    for (const std::string& line : Lines(Blanked(file.text, false))) {
        size_t i = line.find_first_not_of(" \t");
        if (i == std::string::npos || line[i] != '#')
            continue;
        i = line.find_first_not_of(" \t", i + 1);
        if (i == std::string::npos || line.compare(i, 7, "include") != 0)
            continue;
        i = line.find_first_not_of(" \t", i + 7);
        if (i == std::string::npos || (line[i] != '"' && line[i] != '<'))
            continue;
        const size_t end = line.find(line[i] == '"' ? '"' : '>', i + 1);
        if (end == std::string::npos)
            continue;
        std::string name = line.substr(i + 1, end - i - 1);
        if (!IsTreeFolder(TopFolder(name))) {
            if (line[i] == '<')
                continue;
            const std::filesystem::path beside = std::filesystem::path(file.path).parent_path() / name;
            name = beside.lexically_normal().generic_string();
        }
        included.insert(name);
    }
    return included;
}

bool MayInclude(const std::string& path, const std::string& header)
{
    const int from = FloorOf(path);
    const int to = FloorOf(header);
    if (to == kAnyFloor)
        return true;
    if (to == kNoFloor || to > from)
        return false;
    const std::string fromFolder = TopFolder(path);
    const std::string toFolder = TopFolder(header);
    const bool installBesideUninstall
        = (fromFolder == "engine" && toFolder == "uninstall") || (fromFolder == "uninstall" && toFolder == "engine");
    return !installBesideUninstall;
}

void AddIncludeViolations(const LAYOUT_FILE& file, std::set<std::string>* violations)
{
    if (!IsFloorFile(file.path))
        return;
    for (const std::string& header : IncludedPaths(file)) {
        if (!MayInclude(file.path, header))
            violations->insert("include " + file.path + " " + header);
    }
}

// A definition starts its line: "CMainWnd::Name(", or a return type first ("bool CMainWnd::Install(",
// "CMainWnd::UNDO_OUTCOME CMainWnd::UndoInstall("). A call is indented inside its function, or follows "return" or
// "=" or an opening parenthesis.
void AddMemberViolations(const LAYOUT_FILE& file, std::set<std::string>* violations)
{
    static const std::string kClass = "CMainWnd::";
    if (TopFolder(file.path) == "ui")
        return;
    for (const std::string& line : Lines(Blanked(file.text, true))) {
        if (line.empty() || std::isspace(static_cast<unsigned char>(line[0])) || line[0] == '#'
            || line.compare(0, 7, "return ") == 0)
            continue;
        for (size_t at = line.find(kClass); at != std::string::npos; at = line.find(kClass, at + 1)) {
            if (at > 0 && IsIdentifierChar(line[at - 1]))
                continue;
            const std::string before = line.substr(0, at);
            if (before.find_first_of("=(),;{}") != std::string::npos)
                break;
            size_t end = at + kClass.size();
            if (end < line.size() && line[end] == '~')
                ++end;
            while (end < line.size() && IsIdentifierChar(line[end]))
                ++end;
            if (line.compare(at + kClass.size(), 8, "operator") == 0)
                end = line.find('(', end);
            const size_t paren = line.find_first_not_of(" \t", end);
            if (end == std::string::npos || paren == std::string::npos || line[paren] != '(')
                continue;
            violations->insert("member " + file.path + " " + line.substr(at, end - at));
            break;
        }
    }
}

void AddGetAppViolations(const LAYOUT_FILE& file, std::set<std::string>* violations)
{
    if (!IsFloorFile(file.path) || TopFolder(file.path) == "startup")
        return;
    const std::string code = Blanked(file.text, true);
    for (size_t at = code.find("GetApp"); at != std::string::npos; at = code.find("GetApp", at + 1)) {
        if (at > 0 && IsIdentifierChar(code[at - 1]))
            continue;
        const size_t paren = code.find_first_not_of(" \t\r\n", at + 6);
        if (paren != std::string::npos && code[paren] == '(') {
            violations->insert("getapp " + file.path);
            return;
        }
    }
}

// The circles of includes among the bottom floor's files: each strongly connected part of its include graph with
// more than one file, or a file that includes itself.
void AddCycleViolations(const std::vector<LAYOUT_FILE>& files, std::set<std::string>* violations)
{
    std::map<std::string, std::set<std::string>> edges;
    for (const LAYOUT_FILE& file : files) {
        if (FloorOf(file.path) != kBottomFloor)
            continue;
        std::set<std::string>& to = edges[file.path];
        for (const std::string& header : IncludedPaths(file)) {
            if (FloorOf(header) == kBottomFloor)
                to.insert(header);
        }
    }
    // Tarjan's algorithm; the bottom floor is small enough for its recursion.
    std::map<std::string, int> index;
    std::map<std::string, int> low;
    std::set<std::string> onStack;
    std::vector<std::string> stack;
    int nextIndex = 0;
    std::function<void(const std::string&)> visit = [&](const std::string& node) {
        index[node] = low[node] = nextIndex++;
        stack.push_back(node);
        onStack.insert(node);
        for (const std::string& to : edges[node]) {
            if (!index.count(to)) {
                visit(to);
                low[node] = std::min(low[node], low[to]);
            } else if (onStack.count(to)) {
                low[node] = std::min(low[node], index[to]);
            }
        }
        if (low[node] != index[node])
            return;
        std::set<std::string> part;
        std::string member;
        do {
            member = stack.back();
            stack.pop_back();
            onStack.erase(member);
            part.insert(member);
        } while (member != node);
        if (part.size() > 1 || edges[node].count(node)) {
            std::string line = "cycle";
            for (const std::string& path : part)
                line += " " + path;
            violations->insert(line);
        }
    };
    std::vector<std::string> nodes;
    for (const auto& edge : edges)
        nodes.push_back(edge.first);
    for (const std::string& node : nodes) {
        if (!index.count(node))
            visit(node);
    }
}

bool HasSourceExtension(const std::filesystem::path& path)
{
    const std::string extension = path.extension().string();
    return std::find(std::begin(kSourceExtensions), std::end(kSourceExtensions), extension)
        != std::end(kSourceExtensions);
}

} // namespace

std::vector<std::string> FindLayoutViolations(const std::vector<LAYOUT_FILE>& files)
{
    std::set<std::string> violations;
    for (const LAYOUT_FILE& file : files) {
        AddIncludeViolations(file, &violations);
        AddMemberViolations(file, &violations);
        AddGetAppViolations(file, &violations);
    }
    AddCycleViolations(files, &violations);
    return std::vector<std::string>(violations.begin(), violations.end());
}

std::vector<LAYOUT_FILE> ReadLayoutTree(const std::string& root)
{
    namespace fs = std::filesystem;
    std::vector<LAYOUT_FILE> files;
    for (const char* folder : kScannedFolders) {
        const fs::path top = fs::path(root) / folder;
        if (!fs::is_directory(top))
            continue;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(top)) {
            if (!entry.is_regular_file() || !HasSourceExtension(entry.path()))
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            files.push_back({entry.path().lexically_relative(root).generic_string(), text.str()});
        }
    }
    std::sort(files.begin(), files.end(), [](const LAYOUT_FILE& a, const LAYOUT_FILE& b) { return a.path < b.path; });
    return files;
}

std::string ExplainViolation(const std::string& line)
{
    std::istringstream in(line);
    std::string kind;
    std::string file;
    std::string detail;
    in >> kind >> file >> detail;
    if (kind == "include") {
        return file + " includes " + detail
            + ": a file includes only headers of its own floor or below (foundation+pack < script+log < engine, "
              "uninstall < ui < startup; engine/ and uninstall/ not each other; resources/ from anywhere)";
    }
    if (kind == "member")
        return file + " defines " + detail + ": members of the menu window CMainWnd are defined in ui/ only";
    if (kind == "getapp")
        return file + " names GetApp(): the application object is reached from startup/ only";
    if (kind == "cycle")
        return "include cycle among" + line.substr(kind.size()) + ": foundation/ and pack/ include in one direction";
    return "unknown line: " + line;
}
