#include "patch/PatchSheet.h"

#include "show/KeepChanges.h"

#include <algorithm>
#include <charconv>

namespace lumora {

namespace {

using Col = TPatchColumn;

// The number a cell holds: digits only, as the entry masks let them in.
std::optional<int> CellNumber(std::string_view text)
{
    if (text.empty() || text.size() > 6)
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

bool InRange(std::string_view text, int lowest, int highest)
{
    const auto n = CellNumber(text);
    return n && *n >= lowest && *n <= highest;
}

} // namespace

std::string OutOfRangeMessage(int dimmer)
{
    return "Out-of-range entry for Dimmer " + std::to_string(dimmer) + ".";
}

std::string EmptyCellsMessage(int dimmer)
{
    return "Please enter a Channel (0-512), Level (0-100) and Profile (1-25) for Dimmer " + std::to_string(dimmer) +
           ".";
}

// ---- The set-patch values

void TSetPatchValues::show()
{
    m_apply.fill(false);
    m_increment = false;
}

void TSetPatchValues::editText(TSetPatchField field, std::string_view text)
{
    switch (field) {
    case TSetPatchField::Channel:
        m_values.channel = text;
        m_values.park = false;
        break;
    case TSetPatchField::Level: m_values.level = text; break;
    case TSetPatchField::Profile: m_values.profile = text; break;
    default: return;
    }
    m_apply[Index(field)] = true;
}

void TSetPatchValues::editCheck(TSetPatchField field, bool checked)
{
    if (field == TSetPatchField::Nondim) {
        m_values.nondim = checked;
        m_values.park = false;
    } else if (field == TSetPatchField::Park) {
        m_values.park = checked;
        if (checked) {
            m_values.channel = "0";
            m_values.nondim = false;
        }
    } else {
        return;
    }
    m_apply[Index(field)] = true;
}

bool TSetPatchValues::check(IUserInterface& ui) const
{
    if (applied(TSetPatchField::Channel) && !InRange(m_values.channel, 0, kPatchChannelMax)) {
        ui.error(kMsgChannelBetween);
        return false;
    }
    if (applied(TSetPatchField::Level) && !InRange(m_values.level, 0, 100)) {
        ui.error(kMsgLevelBetween);
        return false;
    }
    if (applied(TSetPatchField::Profile) && !InRange(m_values.profile, 1, kProfiles)) {
        ui.error(kMsgProfileBetween);
        return false;
    }
    return true;
}

// ---- The sheet

TPatchSheet::TPatchSheet(TEditorState& state) : m_state(state), m_rows(kDimmers) {}

void TPatchSheet::open()
{
    m_page = 1;
    load();
}

void TPatchSheet::load()
{
    TBusyCursor busy(m_state.ui());
    const TPatch& patch = m_state.show().patch(m_page);
    for (int d = 1; d <= kDimmers; ++d) {
        const TPatchEntry& e = patch.dimmer(d);
        TPatchRow& r = m_rows[static_cast<std::size_t>(d - 1)];
        r.park = e.Park;
        r.channel = e.Park ? std::string("0") : std::to_string(e.Channel);
        r.nondim = !e.Park && e.Nondim;
        r.level = std::to_string(e.Level);
        r.profile = std::to_string(e.Profile + 1);
    }
    m_pending = false;
}

std::string TPatchSheet::cellText(int dimmer, TPatchColumn column) const
{
    const TPatchRow& r = row(dimmer);
    switch (column) {
    case Col::Dimmer: return std::to_string(dimmer);
    case Col::Channel: return r.channel;
    case Col::Level: return r.level;
    case Col::Profile: return r.profile;
    default: return {};
    }
}

bool TPatchSheet::cellChecked(int dimmer, TPatchColumn column) const
{
    const TPatchRow& r = row(dimmer);
    return column == Col::Nondim ? r.nondim : column == Col::Park ? r.park : false;
}

void TPatchSheet::editText(int dimmer, TPatchColumn column, std::string_view text)
{
    if (dimmer < 1 || dimmer > kDimmers)
        return;
    TPatchRow& r = m_rows[static_cast<std::size_t>(dimmer - 1)];
    m_pending = true;
    switch (column) {
    case Col::Channel:
        r.channel = text;
        r.park = false;
        break;
    case Col::Level: r.level = text; break;
    case Col::Profile: r.profile = text; break;
    default: break;
    }
}

void TPatchSheet::editCheck(int dimmer, TPatchColumn column, bool checked)
{
    if (dimmer < 1 || dimmer > kDimmers)
        return;
    TPatchRow& r = m_rows[static_cast<std::size_t>(dimmer - 1)];
    m_pending = true;
    if (column == Col::Park) {
        r.park = checked;
        if (checked) {
            r.channel = "0";
            r.nondim = false;
        }
    } else if (column == Col::Nondim) {
        r.nondim = checked;
        r.park = false;
    }
}

void TPatchSheet::applySetPatch(std::vector<int> dimmers, const TSetPatchValues& values)
{
    std::sort(dimmers.begin(), dimmers.end());
    dimmers.erase(std::unique(dimmers.begin(), dimmers.end()), dimmers.end());
    m_pending = true;
    const TPatchRow& v = values.values();
    const bool channel = values.applied(TSetPatchField::Channel);
    const bool level = values.applied(TSetPatchField::Level);
    const bool nondim = values.applied(TSetPatchField::Nondim);
    const bool profile = values.applied(TSetPatchField::Profile);
    const bool park = values.applied(TSetPatchField::Park);
    int n = CellNumber(v.channel).value_or(0);
    for (const int d : dimmers) {
        if (d < 1 || d > kDimmers)
            continue;
        TPatchRow& r = m_rows[static_cast<std::size_t>(d - 1)];
        // Channel and Nondim follow the grid's rule: a value given to a parked row un-parks it.
        if (channel) {
            if (values.increment()) {
                r.channel = std::to_string(n);
                if (n >= 1 && ++n > kPatchChannelMax)
                    n = 0;
            } else {
                r.channel = v.channel;
            }
            r.park = false;
        }
        if (level)
            r.level = v.level;
        if (nondim) {
            r.nondim = v.nondim;
            r.park = false;
        }
        if (profile)
            r.profile = v.profile;
        if (park)
            r.park = v.park;
    }
}

bool TPatchSheet::checkGrid(bool range) const
{
    for (int d = 1; d <= kDimmers; ++d) {
        const TPatchRow& r = row(d);
        const auto level = CellNumber(r.level);
        if (range && level && *level > 100) {
            m_state.ui().error(OutOfRangeMessage(d));
            return false;
        }
        if ((!r.park && !InRange(r.channel, 0, kPatchChannelMax)) || !level || *level > 255 ||
            !InRange(r.profile, 1, kProfiles)) {
            m_state.ui().error(EmptyCellsMessage(d));
            return false;
        }
    }
    return true;
}

bool TPatchSheet::store(bool range)
{
    if (!checkGrid(range))
        return false;
    TBusyCursor busy(m_state.ui());
    TPatch& patch = m_state.show().patch(m_page);
    for (int d = 1; d <= kDimmers; ++d) {
        const TPatchRow& r = row(d);
        TPatchEntry& e = patch.dimmer(d);
        if (r.park) {
            e.Park = true;
        } else {
            e.Park = false;
            e.Channel = static_cast<std::uint16_t>(*CellNumber(r.channel));
            e.Nondim = r.nondim;
        }
        e.Level = static_cast<std::uint8_t>(*CellNumber(r.level));
        e.Profile = static_cast<std::uint8_t>(*CellNumber(r.profile) - 1);
    }
    m_state.globals.showChanged = 1;
    return true;
}

bool TPatchSheet::changePage(int page)
{
    if (page == m_page || page < 1 || page > kPatchPages)
        return false;
    if (!AskKeepChanges(m_state.ui(), m_pending, kMsgPatchKeepChanges, [this] { return store(false); }))
        return false;
    m_page = page;
    load();
    return true;
}

bool TPatchSheet::resetPage(const char* question, void (TPatch::*operation)())
{
    if (!m_state.ui().askYesNo(question, IUserInterface::Icon::Confirmation))
        return false;
    (m_state.show().patch(m_page).*operation)();
    load();
    m_state.globals.showChanged = 1;
    return true;
}

bool TPatchSheet::unity()
{
    return resetPage(kMsgApplyUnity, &TPatch::Unity);
}

bool TPatchSheet::clear()
{
    return resetPage(kMsgClearPatch, &TPatch::Clear);
}

bool TPatchSheet::queryClose()
{
    if (!AskKeepChanges(m_state.ui(), m_pending, kMsgPatchKeepChanges, [this] { return store(true); }))
        return false;
    m_pending = false;
    return true;
}

} // namespace lumora
