#include "cues/CueList.h"

#include "show/LumoraError.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace lumora {

namespace {

constexpr const char* kNoCues = "There are no Cues.";

constexpr const char* kTypeNames[] = {"Preset", "Track", "Autostart & Preset", "Autostart & Track", "Multipart"};
constexpr int kTypeCount = 5;

bool ValidChannel(int channel)
{
    return channel >= 1 && channel <= kChannels;
}

void CheckType(int code)
{
    if (code < 0 || code >= kTypeCount)
        throw ELumoraError(kInvalidCueTypeMessage);
}

// One mask byte spread over eight level bytes: 0xFF where the channel is hard. Built
// byte by byte in memory order, so a level word loaded with memcpy lines up on any host.
constexpr std::array<std::uint64_t, 256> MakeHardBytes()
{
    std::array<std::uint64_t, 256> table{};
    for (int mask = 0; mask < 256; ++mask) {
        std::array<std::uint8_t, 8> bytes{};
        for (int bit = 0; bit < 8; ++bit)
            bytes[bit] = (mask >> bit) & 1 ? 0xFF : 0x00;
        table[mask] = std::bit_cast<std::uint64_t>(bytes);
    }
    return table;
}
constexpr std::array<std::uint64_t, 256> kHardBytes = MakeHardBytes();

// The tracking step for all 512 channels: next keeps its hard levels and takes the
// rest from prev. The caller has checked that next is a track cue.
void TrackAllChannels(const TCueRecord& prev, TCueRecord& next)
{
    const std::uint8_t* from = prev.levels.data();
    std::uint8_t* to = next.levels.data();
    for (std::size_t word = 0; word < next.hardMask.size(); ++word) {
        const std::uint64_t hard = kHardBytes[next.hardMask[word]];
        std::uint64_t tracked;
        std::uint64_t own;
        std::memcpy(&tracked, from + word * 8, 8);
        std::memcpy(&own, to + word * 8, 8);
        own = (own & hard) | (tracked & ~hard);
        std::memcpy(to + word * 8, &own, 8);
    }
}

bool IsTrack(const TCueRecord& record)
{
    return record.type == kCueTrack || record.type == kCueAutostartTrack;
}

// Channel c (1-based) lives in mask byte (c-1)/8 at bit (c-1)%8.
bool HardBit(const TCueRecord& record, int index0)
{
    return (record.hardMask[index0 >> 3] >> (index0 & 7)) & 1;
}

} // namespace

// ---- Cue types

std::string CueTypeName(int code)
{
    CheckType(code);
    return kTypeNames[code];
}

std::uint8_t CueTypeFromName(std::string_view name)
{
    for (int code = 0; code < kTypeCount; ++code)
        if (name == kTypeNames[code])
            return static_cast<std::uint8_t>(code);
    throw ELumoraError(kInvalidCueTypeMessage);
}

// ---- Records

TCueList::TCueList() = default;

TCueRecord TCueList::MakeEmptyCue()
{
    return TCueRecord{};
}

bool TCueList::IsTrackType(const TCueRecord& record)
{
    return IsTrack(record);
}

bool TCueList::IsHard(const TCueRecord& record, int channel)
{
    return ValidChannel(channel) && HardBit(record, channel - 1);
}

void TCueList::SetHard(TCueRecord& record, int channel, bool on)
{
    if (!ValidChannel(channel))
        return;
    const int index0 = channel - 1;
    const auto bit = static_cast<std::uint8_t>(1u << (index0 & 7));
    if (on)
        record.hardMask[index0 >> 3] |= bit;
    else
        record.hardMask[index0 >> 3] &= static_cast<std::uint8_t>(~bit);
}

// ---- Whole list

int TCueList::usedCount() const
{
    return std::min<int>(count, kMaxCues);
}

void TCueList::Clear()
{
    count = 0;
    cueOnlyMode = false;
    current = 0;
    m_cues.fill(TCueRecord{});
}

void TCueList::Assign(const TCueList& source)
{
    if (&source == this)
        return;
    const int n = source.usedCount();
    count = static_cast<std::uint16_t>(n);
    cueOnlyMode = source.cueOnlyMode;
    current = source.current;
    std::copy(source.m_cues.begin(), source.m_cues.begin() + n, m_cues.begin());
    std::fill(m_cues.begin() + n, m_cues.end(), TCueRecord{});
}

TCueRecord TCueList::GetCue(int index) const
{
    if (count == 0)
        throw ELumoraError(kNoCues);
    if (index < 1 || index > kMaxCues)
        return TCueRecord{};
    return m_cues[index - 1];
}

// ---- Editing

bool TCueList::InsertSorted(const TCueRecord& record)
{
    const int old = usedCount();
    if (old >= kMaxCues)
        return false;
    // The first cue whose number is not below the new one, so a new cue goes before an equal one.
    int p = 1;
    while (p <= old && m_cues[p - 1].number < record.number)
        ++p;
    std::copy_backward(m_cues.begin() + (p - 1), m_cues.begin() + old, m_cues.begin() + old + 1);
    m_cues[p - 1] = record;
    count = static_cast<std::uint16_t>(old + 1);
    current = static_cast<std::uint16_t>(p);
    return true;
}

bool TCueList::InsertCue(std::uint16_t number, std::uint8_t type)
{
    CheckType(type);
    TCueRecord record;
    record.number = number;
    record.type = type;
    if (!InsertSorted(record))
        return false;

    const int i = current;
    const bool track = IsTrack(m_cues[i - 1]);
    if (i < usedCount()) {
        if (cueOnlyMode) {
            // The successor used to follow the cue before the new one: it keeps its look.
            TCueRecord& next = m_cues[i];
            for (int c = 1; c <= kChannels; ++c)
                if (next.levels[c - 1] != 0)
                    SetHard(next, c, true);
        } else if (!track) {
            RetrackRun(i);
        }
    }
    if (track) {
        for (int c = 1; c <= kChannels; ++c)
            if (!cueOnlyMode || (i > 1 && m_cues[i - 2].levels[c - 1] != 0))
                ClearChannel(c);
    }
    return true;
}

bool TCueList::DeleteCurrent()
{
    const int n = usedCount();
    if (n == 0 || !hasCurrent())
        return false;
    const int i = current;

    if (!cueOnlyMode) {
        for (int c = 1; c <= kChannels; ++c)
            ClearChannel(c);
    } else if (i < n) {
        // The next cue keeps what it received from the deleted cue. A cue that is not a
        // track cue sets every one of its levels, whatever its mask says, so then every
        // channel of the next cue is held.
        const TCueRecord& gone = m_cues[i - 1];
        TCueRecord& next = m_cues[i];
        const bool setsAll = !IsTrack(gone);
        for (std::size_t b = 0; b < next.hardMask.size(); ++b)
            next.hardMask[b] |= setsAll ? std::uint8_t{0xFF} : gone.hardMask[b];
    }

    std::copy(m_cues.begin() + i, m_cues.begin() + n, m_cues.begin() + (i - 1));
    m_cues[n - 1] = TCueRecord{};
    count = static_cast<std::uint16_t>(n - 1);
    Retrack();
    return true;
}

void TCueList::ChangeType(std::uint8_t type)
{
    CheckType(type);
    if (count == 0 || !hasCurrent())
        return;
    TCueRecord& cue = m_cues[current - 1];
    const bool wasTrack = IsTrack(cue);
    cue.type = type;
    const bool isTrack = IsTrack(cue);

    if (wasTrack && !isTrack) {
        cue.hardMask.fill(0);
    } else if (!wasTrack && isTrack && current > 1) {
        // Every level of the old cue was its own. A channel becomes hard where tracking
        // could change it later: the cue before shows a level, or this cue's level is
        // not the 0 it would otherwise track. The first cue has no cue before it and is
        // never retracked: it gets no hard bits, so its mask goes to the console as the
        // console itself would have it.
        const TCueRecord& prev = m_cues[current - 2];
        for (int c = 1; c <= kChannels; ++c) {
            if (HardBit(cue, c - 1))
                continue;
            if (prev.levels[c - 1] != 0 || cue.levels[c - 1] != 0)
                SetHard(cue, c, true);
        }
    }
}

void TCueList::SetLevel(TCueRecord& record, int channel, std::uint8_t level)
{
    if (!ValidChannel(channel))
        return;
    record.levels[channel - 1] = level;
    SetHard(record, channel, true);
    if (!hasCurrent())
        return;
    TCueRecord& cue = m_cues[current - 1];
    if (&cue != &record) {
        cue.levels[channel - 1] = level;
        SetHard(cue, channel, true);
    }
    if (current < usedCount()) {
        if (cueOnlyMode)
            SetHard(m_cues[current], channel, true); // the next cue keeps what it shows now
        else
            RetrackChannel(channel);
    }
}

void TCueList::ClearChannel(int channel)
{
    if (count == 0 || !hasCurrent() || !ValidChannel(channel))
        return;
    TCueRecord& cue = m_cues[current - 1];
    cue.levels[channel - 1] = 0;
    if (cueOnlyMode) {
        SetHard(cue, channel, true); // a hard 0 here, and the next cue keeps its look
        if (current < usedCount())
            SetHard(m_cues[current], channel, true);
    } else {
        SetHard(cue, channel, false);
        // A track cue takes the channel from the cue before it again; any other cue
        // passes its 0 on.
        const int from = IsTrack(cue) && current > 1 ? current - 1 : current;
        RetrackChannelRun(from, channel);
    }
}

// ---- Retracking

void TCueList::Retrack()
{
    const int n = usedCount();
    for (int k = 1; k < n; ++k)
        if (IsTrack(m_cues[k]))
            TrackAllChannels(m_cues[k - 1], m_cues[k]);
}

void TCueList::RetrackChannel(int channel)
{
    if (!ValidChannel(channel))
        return;
    const int n = usedCount();
    const int c0 = channel - 1;
    const int maskByte = c0 >> 3;
    const auto maskBit = static_cast<std::uint8_t>(1u << (c0 & 7));
    if (n == 0)
        return;
    // The level a following track cue would take, carried along instead of re-read.
    std::uint8_t level = m_cues[0].levels[c0];
    for (int k = 1; k < n; ++k) {
        TCueRecord& next = m_cues[k];
        if (IsTrack(next) && !(next.hardMask[maskByte] & maskBit))
            next.levels[c0] = level;
        else
            level = next.levels[c0];
    }
}

void TCueList::RetrackRun(int from)
{
    const int n = usedCount();
    if (from < 1)
        return;
    for (int k = from; k < n; ++k) {
        if (!IsTrack(m_cues[k]))
            break;
        TrackAllChannels(m_cues[k - 1], m_cues[k]);
    }
}

void TCueList::RetrackChannelRun(int from, int channel)
{
    if (from < 1 || !ValidChannel(channel))
        return;
    const int n = usedCount();
    const int c0 = channel - 1;
    const int maskByte = c0 >> 3;
    const auto maskBit = static_cast<std::uint8_t>(1u << (c0 & 7));
    for (int k = from; k < n; ++k) {
        TCueRecord& next = m_cues[k];
        if (!IsTrack(next) || (next.hardMask[maskByte] & maskBit))
            break;
        next.levels[c0] = m_cues[k - 1].levels[c0];
    }
}

} // namespace lumora
