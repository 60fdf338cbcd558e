#include "pack/PackDecoders.h"

#include <cstring>
#include <new>

namespace {

const uint32_t kRefillBelow = 64; // input bytes left that start a refill
const uint32_t kLongestItem = 18; // output of one ZLC2 item
const uint32_t kOutputReserve = 24; // a pass decodes while more than this is free

} // namespace

CZlc2Stream::CZlc2Stream()
    : m_window(nullptr)
    , m_input(nullptr)
    , m_inputPos(0)
    , m_inputFill(0)
    , m_inputEnded(false)
    , m_readPos(0)
    , m_writePos(0)
    , m_flagByte(0)
    , m_flagMask(0)
    , m_memberSize(0)
    , m_decoded(0)
    , m_corrupt(false)
    , m_fill(nullptr)
    , m_context(nullptr)
{
}

CZlc2Stream::~CZlc2Stream()
{
    End();
}

bool CZlc2Stream::Begin(uint32_t memberSize, PackInputFill fill, void* context)
{
    End();
    m_window = new (std::nothrow) uint8_t[kZlc2HistoryBytes + kPackBlockBytes];
    m_input = new (std::nothrow) uint8_t[kPackBlockBytes];
    m_fill = fill;
    m_context = context;
    if (m_window == nullptr || m_input == nullptr || fill == nullptr) {
        End();
        return false;
    }
    memset(m_window, 0, kZlc2HistoryBytes + kPackBlockBytes);
    m_memberSize = memberSize;
    m_inputFill = fill(context, m_input, kPackBlockBytes);
    if (m_inputFill == 0) {
        End();
        return false;
    }
    return true;
}

void CZlc2Stream::End()
{
    delete[] m_window;
    delete[] m_input;
    m_window = m_input = nullptr;
    m_inputPos = m_inputFill = m_readPos = m_writePos = m_memberSize = m_decoded = 0;
    m_inputEnded = m_corrupt = false;
    m_flagByte = m_flagMask = 0;
    m_fill = nullptr;
    m_context = nullptr;
}

bool CZlc2Stream::_Have(uint32_t count)
{
    while (m_inputFill - m_inputPos < count && !m_inputEnded) {
        uint32_t unread = m_inputFill - m_inputPos;
        memmove(m_input, m_input + m_inputPos, unread);
        m_inputPos = 0;
        m_inputFill = unread;
        uint32_t got = m_fill(m_context, m_input + unread, kPackBlockBytes - unread);
        if (got == 0)
            m_inputEnded = true; // the rest of the input is still decoded
        m_inputFill += got;
    }
    return m_inputFill - m_inputPos >= count;
}

uint32_t CZlc2Stream::_DecodePass()
{
    uint8_t* output = m_window + kZlc2HistoryBytes;
    uint32_t start = m_writePos;
    while (kPackBlockBytes - m_writePos > kOutputReserve && m_decoded < m_memberSize) {
        if (m_inputFill - m_inputPos < kRefillBelow)
            _Have(kRefillBelow);
        if (m_flagMask == 0) {
            if (!_Have(1))
                break;
            m_flagByte = m_input[m_inputPos++];
            m_flagMask = 0x80;
        }
        if ((m_flagByte & m_flagMask) == 0) {
            if (!_Have(1))
                break;
            output[m_writePos++] = m_input[m_inputPos++];
            m_decoded++;
        } else {
            if (!_Have(2))
                break;
            uint32_t low = m_input[m_inputPos], high = m_input[m_inputPos + 1];
            m_inputPos += 2;
            uint32_t distance = low | (high >> 4) << 8;
            if (distance == 0)
                distance = kZlc2HistoryBytes;
            uint32_t length = (high & 0x0F) + 3;
            if (length > m_memberSize - m_decoded) {
                m_corrupt = true;
                break;
            }
            // The window starts with 4096 bytes of history, so distance <= 4096 stays inside it.
            for (uint32_t i = 0; i < length; i++, m_writePos++)
                output[m_writePos] = output[(int32_t)m_writePos - (int32_t)distance];
            m_decoded += length;
        }
        m_flagMask >>= 1;
    }
    if (m_decoded < m_memberSize && m_inputEnded && m_inputPos >= m_inputFill && m_writePos == start)
        m_corrupt = true; // the stream ended before the member size
    static_assert(kOutputReserve >= kLongestItem, "an item must fit in the reserve");
    return m_writePos - start;
}

int32_t CZlc2Stream::Read(uint8_t* out, int32_t count)
{
    if (m_window == nullptr || out == nullptr || count <= 0)
        return 0;
    int32_t delivered = 0;
    while (delivered < count) {
        if (m_readPos == m_writePos) {
            if (m_decoded >= m_memberSize || m_corrupt)
                break;
            memmove(m_window, m_window + m_writePos, kZlc2HistoryBytes); // the last 4096 bytes become history
            m_readPos = m_writePos = 0;
            if (_DecodePass() == 0)
                break;
        }
        uint32_t available = m_writePos - m_readPos;
        uint32_t wanted = (uint32_t)(count - delivered);
        uint32_t piece = available < wanted ? available : wanted;
        memcpy(out + delivered, m_window + kZlc2HistoryBytes + m_readPos, piece);
        m_readPos += piece;
        delivered += (int32_t)piece;
    }
    return delivered;
}

bool DecodeRle0(const uint8_t* packed, uint32_t packedSize, uint32_t mode, uint8_t* out, uint32_t unpackedSize)
{
    if (mode == 0) {
        if (packedSize < unpackedSize)
            return false;
        if (unpackedSize > 0)
            memcpy(out, packed, unpackedSize);
        return true;
    }
    if (mode != 1)
        return false;
    uint32_t in = 0, produced = 0;
    while (in < packedSize && produced < unpackedSize) {
        uint8_t operation = packed[in++];
        uint32_t count = operation & 0x3F;
        if (count == 0)
            count = 64;
        uint32_t kind = operation >> 6;
        uint32_t patternBytes = kind == 0 ? count : kind;
        uint32_t repeats = kind == 0 ? 1 : count + 1;
        if (patternBytes > packedSize - in || patternBytes * repeats > unpackedSize - produced)
            return false;
        for (uint32_t r = 0; r < repeats; r++) {
            memcpy(out + produced, packed + in, patternBytes);
            produced += patternBytes;
        }
        in += patternBytes;
    }
    return produced == unpackedSize;
}
