#include "foundation/ZVString.h"

#include <cstring>
#include <bits/functexcept.h>
#include <new>

#include "foundation/ShiftJis.h"
#include "foundation/SystemApi.h"

namespace {

// Shared by every empty buffer and never freed; only its terminator is ever written.
char g_emptyText[1] = {'\0'};

const int kFormatBufferBytes = 1024;

bool IsLead(char byte)
{
    return IsShiftJisLeadByte(static_cast<unsigned char>(byte));
}

// The character at text as one value: a double-byte character is lead byte high, trail byte low.
unsigned CharValue(const char* text)
{
    if (CharBytes(text) == 2)
        return (static_cast<unsigned char>(text[0]) << 8) | static_cast<unsigned char>(text[1]);
    return static_cast<unsigned char>(text[0]);
}

// Whether the character at text is one of the characters of set (double-byte aware on both sides).
bool InSet(const char* text, const char* set)
{
    unsigned value = CharValue(text);
    for (const char* p = set; *p; p += CharBytes(p)) {
        if (CharValue(p) == value)
            return true;
    }
    return false;
}

}  // namespace

// A buffer and its text block are one allocation: the block follows the header. Empty buffers point at the
// shared static empty text instead.
CZVString::_STRING_BUFFER* CZVString::_STRING_BUFFER::New(int32_t capacityBytes)
{
    int32_t capacity = capacityBytes > 0 ? capacityBytes : 0;
    size_t blockBytes = capacity > 0 ? static_cast<size_t>(capacity) + 1 : 0;
    void* memory = ::operator new(sizeof(_STRING_BUFFER) + blockBytes);
    char* text = g_emptyText;
    if (capacity > 0) {
        text = static_cast<char*>(memory) + sizeof(_STRING_BUFFER);
        text[0] = '\0';
        text[capacity] = '\0';
    }
    return new (memory) _STRING_BUFFER(text, capacity);
}

CZVString::_STRING_BUFFER* CZVString::_STRING_BUFFER::NewCopy(const char* source, int32_t byteCount)
{
    _STRING_BUFFER* buffer = New(byteCount);
    if (buffer->capacity > 0) {
        memcpy(buffer->text, source, buffer->capacity);
        buffer->length = static_cast<int32_t>(strlen(buffer->text));
    }
    return buffer;
}

void CZVString::_STRING_BUFFER::Destroy(_STRING_BUFFER* buffer)
{
    buffer->~_STRING_BUFFER();
    ::operator delete(buffer);
}

CZVString::_STRING_BUFFER::_STRING_BUFFER(char* block, int32_t capacityBytes)
    : text(block), capacity(capacityBytes), length(0), referenceCount(1), written(false)
{
}

CZVString::_STRING_BUFFER::~_STRING_BUFFER() = default;

CZVString::CZVString() : CZVString(_STRING_BUFFER::New(0)) {}

CZVString::CZVString(const char* text)
    : CZVString(_STRING_BUFFER::NewCopy(text ? text : "", text ? static_cast<int32_t>(strlen(text)) : 0))
{
}

CZVString::CZVString(_STRING_BUFFER* buffer) : m_buffer(buffer), m_tokenPosition(0), m_lineCursor(0) {}

CZVString::CZVString(const CZVString& other) : m_buffer(other.m_buffer), m_tokenPosition(0), m_lineCursor(0)
{
    m_buffer->referenceCount++;
}

CZVString::~CZVString()
{
    Release();
}

CZVString& CZVString::operator=(const CZVString& other)
{
    Assign(other);
    return *this;
}

CZVString CZVString::FromBytes(const char* bytes, int count)
{
    return CZVString(_STRING_BUFFER::NewCopy(bytes, count > 0 ? count : 0));
}

void CZVString::Release()
{
    if (--m_buffer->referenceCount == 0)
        _STRING_BUFFER::Destroy(m_buffer);
    m_buffer = nullptr;
}

void CZVString::Take(_STRING_BUFFER* buffer)
{
    Release();
    m_buffer = buffer;
    m_tokenPosition = 0;
    m_lineCursor = 0;
}

void CZVString::Assign(const CZVString& other)
{
    other.m_buffer->referenceCount++;  // before Release: other may be this string
    Take(other.m_buffer);
}

void CZVString::CopyFrom(const CZVString& other)
{
    const _STRING_BUFFER* source = other.m_buffer;
    _STRING_BUFFER* copy = _STRING_BUFFER::New(source->capacity);
    memcpy(copy->text, source->text, source->capacity + 1);
    copy->length = source->length;
    copy->written = source->written;
    Take(copy);
}

void CZVString::Empty()
{
    Take(_STRING_BUFFER::New(0));
}

bool CZVString::Alloc(int capacity)
{
    Take(_STRING_BUFFER::New(capacity));
    return true;
}

bool CZVString::MakeUnique()
{
    CopyFrom(*this);
    return true;
}

char* CZVString::GetBuffer()
{
    if (m_buffer->referenceCount > 1)
        MakeUnique();
    m_buffer->written = true;
    return m_buffer->text;
}

const char* CZVString::GetString() const
{
    return m_buffer->text;
}

int CZVString::GetLength() const
{
    m_buffer->length = static_cast<int32_t>(strlen(m_buffer->text));
    m_buffer->written = false;
    return m_buffer->length;
}

int CZVString::CountedLength() const
{
    return m_buffer->written ? GetLength() : m_buffer->length;
}

int CZVString::GetCapacity() const
{
    return m_buffer->capacity;
}

bool CZVString::IsEmpty() const
{
    return GetLength() == 0;
}

bool CZVString::IsNull() const
{
    return m_buffer->text == nullptr;
}

char CZVString::GetAt(int index) const
{
    return m_buffer->text[index];
}

bool CZVString::operator==(const CZVString& other) const
{
    if (IsEmpty())
        return other.IsEmpty();
    if (other.IsEmpty())
        return false;
    return m_buffer == other.m_buffer || strcmp(m_buffer->text, other.m_buffer->text) == 0;
}

bool CZVString::operator<(const CZVString& other) const
{
    if (other.IsEmpty())
        return false;
    if (IsEmpty())
        return true;
    return strcmp(m_buffer->text, other.m_buffer->text) < 0;  // strcmp compares as unsigned char
}

bool CZVString::EqualsNoCase(const CZVString& other) const
{
    CZVString left(*this), right(other);
    left.MakeLower();
    right.MakeLower();
    return left == right;
}

CZVString& CZVString::Append(const CZVString& other)
{
    if (other.IsEmpty())
        return *this;
    if (IsEmpty()) {
        Assign(other);
        return *this;
    }
    // A log grows by a line at a time: its buffer grows by doubling, and a buffer of its own with room takes the
    // text where it stands, so that n appends copy O(n) bytes, not O(n²).
    int ownLength = CountedLength(), otherLength = other.CountedLength();
    if (otherLength > INT32_MAX - ownLength)
        std::__throw_bad_alloc(); // as the allocator does when it runs out
    int32_t needed = ownLength + otherLength;
    if (m_buffer->referenceCount > 1 || m_buffer->capacity < needed) {
        int32_t doubled = m_buffer->capacity <= INT32_MAX / 2 ? m_buffer->capacity * 2 : INT32_MAX;
        // other may be this string: its text is copied from the old buffer, still held here until Take.
        Take(Joined(m_buffer->text, ownLength, other.m_buffer->text, otherLength, needed > doubled ? needed : doubled));
        return *this;
    }
    // Room in a buffer of its own: other is this string at most, whose first ownLength bytes stay where they are.
    memmove(m_buffer->text + ownLength, other.m_buffer->text, otherLength);
    m_buffer->text[needed] = '\0';
    m_buffer->length = needed;
    m_buffer->written = false;
    m_tokenPosition = 0;
    m_lineCursor = 0;
    return *this;
}

CZVString CZVString::Concat(const CZVString& other) const
{
    if (other.IsEmpty())
        return *this;
    if (IsEmpty())
        return other;
    return CZVString(Joined(m_buffer->text, GetLength(), other.m_buffer->text, other.GetLength(),
        m_buffer->capacity + other.m_buffer->capacity));
}

// A new buffer of the given capacity (at least firstLength + secondLength) holding the two texts one after the other.
CZVString::_STRING_BUFFER* CZVString::Joined(
    const char* first, int firstLength, const char* second, int secondLength, int32_t capacity)
{
    _STRING_BUFFER* joined = _STRING_BUFFER::New(capacity);
    memcpy(joined->text, first, firstLength);
    memcpy(joined->text + firstLength, second, secondLength);
    joined->text[firstLength + secondLength] = '\0';
    joined->length = firstLength + secondLength;
    return joined;
}

CZVString CZVString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    CZVString result = FormatV(format, args);
    va_end(args);
    return result;
}

CZVString CZVString::FormatV(const char* format, va_list args)
{
    if (format == nullptr || *format == '\0')
        return CZVString();
    char formatted[kFormatBufferBytes];
    formatted[0] = '\0';
    wvsprintfA(formatted, format, args);
    formatted[kFormatBufferBytes - 1] = '\0';
    return CZVString(formatted);
}

CZVString CZVString::Left(int count) const
{
    if (count <= 0)
        return CZVString();
    if (count >= GetLength())
        return *this;
    return FromBytes(m_buffer->text, count);
}

// Callers keep their offsets inside the text. The bounds below are the block's (capacity), not the text's, so a
// stray offset cannot read outside the block while a long text is not measured again for every piece taken.
CZVString CZVString::Mid(int start) const
{
    if (start < 0)
        start = 0;
    if (start >= m_buffer->capacity)
        return CZVString();
    return CZVString(m_buffer->text + start);
}

CZVString CZVString::Mid(int start, int count) const
{
    int capacity = m_buffer->capacity;
    if (start < 0)
        start = 0;
    if (start > capacity)
        start = capacity;
    if (count > capacity - start)
        count = capacity - start;
    if (count <= 0)
        return CZVString();
    return FromBytes(m_buffer->text + start, count);
}

int CZVString::Replace(const CZVString& oldText, const CZVString& newText)
{
    if (IsEmpty() || oldText.IsEmpty())
        return 0;
    MakeUnique();
    int length = GetLength(), oldLength = oldText.GetLength();
    CZVString result;
    int count = 0;
    int scan = 0;
    while (scan < length) {
        int match = Find(oldText, scan);
        if (match < 0) {
            result += Mid(scan);
            break;
        }
        result += Mid(scan, match - scan);
        result += newText;
        count++;
        scan = match + oldLength;
    }
    CopyFrom(result);
    return count;
}

void CZVString::MakeLower()
{
    if (IsEmpty())
        return;
    MakeUnique();
    for (char* p = m_buffer->text; *p; p += CharBytes(p)) {
        if (CharBytes(p) == 1 && *p >= 'A' && *p <= 'Z')
            *p += 'a' - 'A';
    }
}

void CZVString::Trim(const CZVString& set)
{
    if (IsEmpty())
        return;
    MakeUnique();
    const char* text = m_buffer->text;
    const char* first = text;
    while (*first && InSet(first, set.GetString()))
        first += CharBytes(first);
    if (*first == '\0') {
        Empty();
        return;
    }
    // Walk forward from the first kept character, remembering where the last character outside the set ends;
    // walking forward keeps lead and trail bytes paired, which stepping back from the end cannot guarantee.
    const char* end = first + CharBytes(first);
    for (const char* p = end; *p; p += CharBytes(p)) {
        if (!InSet(p, set.GetString()))
            end = p + CharBytes(p);
    }
    CopyFrom(Mid(static_cast<int>(first - text), static_cast<int>(end - first)));
}

void CZVString::TrimAndUnquote()
{
    if (IsEmpty())
        return;
    MakeUnique();
    Trim(CZVString(" \t\n"));
    int length = GetLength();
    if (length >= 2 && m_buffer->text[0] == '"' && m_buffer->text[length - 1] == '"') {
        memmove(m_buffer->text, m_buffer->text + 1, length - 2);
        m_buffer->text[length - 2] = '\0';
        GetLength();
    }
}

int CZVString::Find(char ch, int start) const
{
    int length = GetLength();
    if (length == 0 || start < 0)
        return -1;
    const char* text = m_buffer->text;
    for (const char* p = text; *p; p += CharBytes(p)) {
        if (p - text >= start && CharBytes(p) == 1 && *p == ch)
            return static_cast<int>(p - text);
    }
    return -1;
}

int CZVString::Find(const CZVString& sub, int start) const
{
    int length = GetLength(), subLength = sub.GetLength();
    if (length == 0 || subLength == 0 || start < 0)
        return -1;
    const char* text = m_buffer->text;
    for (const char* p = text; *p && (p - text) + subLength <= length; p += CharBytes(p)) {
        if (p - text >= start && memcmp(p, sub.m_buffer->text, subLength) == 0)
            return static_cast<int>(p - text);
    }
    return -1;
}

int CZVString::FindLineFeed(int start) const
{
    // The line cursor always sits on a character boundary (after a line feed), so the search goes on from it
    // rather than walking from the start of the text for every line. A line feed is the second byte of a
    // character only when a lead byte comes right before it: after any other byte a character starts, so an odd
    // run of lead-byte values before the line feed means its last byte is a lead byte that takes the line feed.
    const char* text = m_buffer->text;
    const char* end = text + m_buffer->length;
    for (const char* p = text + start; p < end;) {
        const char* lineFeed = static_cast<const char*>(memchr(p, '\n', end - p));
        if (lineFeed == nullptr)
            return -1;
        int leadRun = 0;
        for (const char* q = lineFeed; q > text + start && IsLead(q[-1]); q--)
            leadRun++;
        if (leadRun % 2 == 0)
            return static_cast<int>(lineFeed - text);
        p = lineFeed + 1;
    }
    return -1;
}

CZVString CZVString::ReadLineAt(int start, int lineFeed)
{
    int end = lineFeed;
    if (end > start && m_buffer->text[end - 1] == '\r')
        end--;
    m_lineCursor = lineFeed + 1;
    if (end == start)
        return CZVString();
    // The text before the measured length holds no zero byte, so the line's length is known without a recount.
    _STRING_BUFFER* line = _STRING_BUFFER::New(end - start);
    memcpy(line->text, m_buffer->text + start, end - start);
    line->length = end - start;
    return CZVString(line);
}

// The line reader works from the buffer's counted length: every operation keeps it exact except a write through
// GetBuffer, so GetFirstLine counts again only after one. Walking a long text line by line then costs one pass.
CZVString CZVString::GetFirstLine()
{
    if (m_buffer->written)
        GetLength();
    if (m_buffer->length == 0)
        return CZVString();
    int lineFeed = FindLineFeed(0);
    if (lineFeed < 0) {
        m_lineCursor = m_buffer->length;
        return *this;
    }
    return ReadLineAt(0, lineFeed);
}

CZVString CZVString::GetNextLine()
{
    int length = m_buffer->length;
    if (m_lineCursor == length)
        m_lineCursor = length + 1;
    if (m_lineCursor > length)
        return CZVString();
    int start = m_lineCursor;
    int lineFeed = FindLineFeed(start);
    if (lineFeed < 0) {
        m_lineCursor = length;
        return Mid(start);
    }
    return ReadLineAt(start, lineFeed);
}

bool CZVString::IsEndOfLines() const
{
    return m_lineCursor > m_buffer->length;
}

int CZVString::GetLineCount() const
{
    int count = 1;
    for (const char* p = m_buffer->text; *p; p += CharBytes(p)) {
        if (*p == '\n')
            count++;
    }
    return count;
}

int CZVString::GetLineTable(int maxCount, LINE_SPAN* spans) const
{
    if (IsEmpty() || maxCount <= 0 || spans == nullptr)
        return 0;
    const char* text = m_buffer->text;
    int filled = 0;
    int lineStart = 0, lineLength = 0;
    const char* p = text;
    while (*p && filled < maxCount) {
        if (*p == '\n' || (p[0] == '\r' && p[1] == '\n')) {
            spans[filled++] = LINE_SPAN{lineStart, lineLength};
            p += *p == '\n' ? 1 : 2;
            lineStart = static_cast<int>(p - text);
            lineLength = 0;
            continue;
        }
        int bytes = CharBytes(p);
        if (*p != '\r')  // a carriage return alone is neither counted nor a line end
            lineLength += bytes;
        p += bytes;
    }
    if (*p == '\0' && filled < maxCount)
        spans[filled++] = LINE_SPAN{lineStart, lineLength};
    return filled;
}

CZVString CZVString::GetFirstToken(const CZVString& delims)
{
    int position = 0;
    const char* text = m_buffer->text;
    while (text[position] && InSet(text + position, delims.GetString()))
        position += CharBytes(text + position);
    m_tokenPosition = position;
    return GetNextToken(delims);
}

CZVString CZVString::GetNextToken(const CZVString& delims)
{
    int length = GetLength();
    if (length == 0 || delims.IsEmpty() || m_tokenPosition > length)
        return CZVString();
    const char* text = m_buffer->text;
    int start = m_tokenPosition;
    int position = start;
    while (text[position] && !InSet(text + position, delims.GetString()))
        position += CharBytes(text + position);
    CZVString token = Mid(start, position - start);
    if (text[position] == '\0') {
        m_tokenPosition = length + 1;
        return token;
    }
    while (text[position] && InSet(text + position, delims.GetString()))
        position += CharBytes(text + position);
    m_tokenPosition = position;
    return token;
}
