#pragma once

// The cue list: up to 1000 cues of 512 channel levels with tracking.

#include "show/ShortString.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumora {

inline constexpr int kMaxCues = 1000;
inline constexpr int kChannels = 512;

// ---- Cue types

enum TCueType : std::uint8_t {
    kCuePreset = 0,
    kCueTrack = 1,
    kCueAutostartPreset = 2,
    kCueAutostartTrack = 3,
    kCueMultipart = 4,
};

inline constexpr const char kInvalidCueTypeMessage[] = "Invalid cue type.";

// "Preset", "Track", "Autostart & Preset", "Autostart & Track", "Multipart";
// a code outside 0..4 raises "Invalid cue type.".
std::string CueTypeName(int code);
// The reverse, exact names only; anything else raises "Invalid cue type.".
std::uint8_t CueTypeFromName(std::string_view name);

// ---- One cue

struct TCueRecord {
    std::uint8_t type = 0;
    TShortString<16> name;
    std::uint16_t number = 0; // tenths: 1..9999 is 0.1..999.9
    std::uint16_t timeUp = 0;
    std::uint16_t timeDown = 0;
    std::uint16_t delayUp = 0;
    std::uint16_t delayDown = 0;
    std::uint16_t link = 0;  // cue number in tenths, 0 = none
    std::uint16_t macro = 0; // 1..2500, 0 = none
    std::array<std::uint8_t, kChannels> levels{};
    // Bit for channel c: byte (c-1)/8, bit (c-1)%8, least significant first.
    std::array<std::uint8_t, kChannels / 8> hardMask{};

    friend bool operator==(const TCueRecord&, const TCueRecord&) = default;
};

// ---- The list

class TCueList final {
public:
    TCueList();

    // Fields. Slots are 1-based: cue(1) .. cue(count) hold the cues.
    std::uint16_t count = 0;
    bool cueOnlyMode = false;
    std::uint16_t current = 0;

    TCueRecord& cue(int index) { return m_cues[index - 1]; }
    const TCueRecord& cue(int index) const { return m_cues[index - 1]; }
    TCueRecord& currentCue() { return m_cues[current - 1]; }

    // Records
    static TCueRecord MakeEmptyCue();
    static bool IsTrackType(const TCueRecord& record);
    static bool IsHard(const TCueRecord& record, int channel);
    static void SetHard(TCueRecord& record, int channel, bool on);

    // Whole list
    void Clear();
    void Assign(const TCueList& source);
    TCueRecord GetCue(int index) const; // raises "There are no Cues." when empty
    bool IsFirst() const { return current == 1; }
    bool IsLast() const { return current == count; }

    // Editing with the tracking rules (Cue Only Mode from cueOnlyMode). Channels outside
    // 1..512 are ignored; a type code outside 0..4 raises "Invalid cue type.".
    bool InsertSorted(const TCueRecord& record);
    bool InsertCue(std::uint16_t number, std::uint8_t type);
    bool DeleteCurrent(); // leaves current as it was: it may now be count + 1
    void ChangeType(std::uint8_t type);
    // `record` is the current cue; a separate copy of it is updated along with the list.
    void SetLevel(TCueRecord& record, int channel, std::uint8_t level);
    void ClearChannel(int channel);

    // Recomputing tracked levels (a track cue's channels that are not hard take the
    // level of the cue before it)
    void Retrack();
    void RetrackChannel(int channel);
    void RetrackRun(int from);
    void RetrackChannelRun(int from, int channel);

    friend bool operator==(const TCueList&, const TCueList&) = default;

private:
    int usedCount() const; // count, never more than the slots
    bool hasCurrent() const { return current >= 1 && current <= usedCount(); }

    std::array<TCueRecord, kMaxCues> m_cues{};
};

} // namespace lumora
