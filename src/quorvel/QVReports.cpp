#include "quorvel/QVReports.h"

#include "print/ReportChoice.h"
#include "quorvel/QVActionSheet.h"
#include "quorvel/QVDeviceSheet.h"
#include "quorvel/QVTypeSheet.h"
#include "show/Bytes.h"

namespace lumora {

namespace {

constexpr int kReportedAttributes = 25;

TReportOutcome Write(const std::vector<TReportRow>& rows, IUserInterface& ui, const std::string& path)
{
    if (WriteReportRows(path, rows))
        return TReportOutcome::Written;
    ui.error(ReportFileFailedMessage(path));
    return TReportOutcome::WriteFailed;
}

std::string TimeField(std::uint16_t tenths)
{
    return QvTenthsText(tenths);
}

} // namespace

std::string ReportFileFailedMessage(const std::string& path)
{
    return "The report file " + (path.empty() ? std::string("(no report folder)") : path) + " could not be written.";
}

// ---- Types

std::vector<int> QvReportTypes(TQvTypeChoice choice, int current, std::string_view typed, IUserInterface& ui)
{
    switch (choice) {
    case TQvTypeChoice::Current:
        if (current >= 1 && current <= kQvTypes)
            return {current};
        return {};
    case TQvTypeChoice::All: return {1, 2, 3, 4, 5, 6, 7, 8};
    case TQvTypeChoice::Type: break;
    }
    const auto n = ReadWholeNumber(TrimText(typed));
    if (!n || *n < 1 || *n > kQvTypes) {
        ui.warning(kMsgQvTypeBetween);
        return {};
    }
    return {*n};
}

std::vector<TReportRow> QvTypeReportRows(const TQuorvel& quorvel, const std::vector<int>& types)
{
    std::vector<TReportRow> rows;
    for (int t : types) {
        if (t < 1 || t > kQvTypes)
            continue;
        const TQVType& type = quorvel.types[t - 1];
        for (int k = 1; k <= kReportedAttributes; ++k)
            rows.push_back({std::to_string(t), type.name.str(), std::to_string(k), type.attrNames[k - 1].str(),
                            std::string(QvWidthText(type.width[k - 1])),
                            std::string(QvMasteringText(type.mastering[k - 1])),
                            std::string(QvSourceShownText(type.source[k - 1]))});
    }
    return rows;
}

TReportOutcome PrintQvTypeReport(const TQuorvel& quorvel, TQvTypeChoice choice, int current, std::string_view typed,
                                 IUserInterface& ui, const std::string& path)
{
    const std::vector<int> types = QvReportTypes(choice, current, typed, ui);
    if (types.empty())
        return TReportOutcome::Refused;
    return Write(QvTypeReportRows(quorvel, types), ui, path);
}

// ---- Devices

std::vector<TReportRow> QvDeviceReportRows(const TQuorvel& quorvel)
{
    std::vector<TReportRow> rows;
    for (int d = 1; d <= kQvDevices; ++d) {
        const TQVDevice& device = quorvel.devices[d - 1];
        // 0 is "none"; a number no address or type can be prints empty.
        const std::string address = device.address < kQvMapSize ? std::to_string(device.address) : std::string();
        const std::string type = device.type <= kQvTypes ? std::to_string(device.type) : std::string();
        rows.push_back({std::to_string(d), std::string(TrimText(device.name.view())), address, type,
                        QvTypeName(quorvel, device.type)});
    }
    return rows;
}

TReportOutcome PrintQvDeviceReport(const TQuorvel& quorvel, IUserInterface& ui, const std::string& path)
{
    return Write(QvDeviceReportRows(quorvel), ui, path);
}

// ---- Actions

std::vector<TReportRow> QvActionReportRows(const TQuorvel& quorvel, const std::vector<int>& actions)
{
    std::vector<TReportRow> rows;
    for (int n : actions) {
        if (n < 1 || n > kQvActions)
            continue;
        const TQVAction& action = quorvel.actions[n - 1];
        if (action.loops == 0)
            continue;
        const std::string loops =
            action.loops == kQvLoopsContinuous ? std::string(kQvContinuous) : std::to_string(action.loops);
        const std::string single = action.singleStep != 0 ? kQvYes : kQvNo;
        for (int i = 0; i < kQvSteps; ++i) {
            if (action.positions[i] == 0) {
                rows.push_back({std::to_string(n), loops, single, "", "", ""});
                continue;
            }
            rows.push_back({std::to_string(n), loops, single, std::to_string(action.positions[i]),
                            TimeField(action.times[i]), TimeField(action.delays[i])});
        }
    }
    return rows;
}

TReportOutcome PrintQvActionReport(const TQuorvel& quorvel, int current, IUserInterface& ui, const std::string& path)
{
    std::vector<int> actions;
    if (current >= 1 && current <= kQvActions)
        actions.push_back(current);
    else
        for (int n = 1; n <= kQvActions; ++n)
            actions.push_back(n);
    return Write(QvActionReportRows(quorvel, actions), ui, path);
}

// ---- Position

std::vector<TReportRow> QvPositionReportRows(const TQuorvel& quorvel, int p)
{
    std::vector<TReportRow> rows;
    if (p < 1 || p > kQvPositions)
        return rows;
    const TQVPosition& position = quorvel.positions[p - 1];
    for (int slot = 0; slot < kQvSlots; ++slot) {
        const int d = position.slotDevices[slot];
        if (d < 1 || d > kQvDevices)
            continue;
        const TQVDevice& device = quorvel.devices[d - 1];
        if (device.type < 1 || device.type > kQvTypes)
            continue;
        const TQVType& type = quorvel.types[device.type - 1];
        // An address outside the map places nothing: its values and times print empty.
        const std::uint16_t address = device.address < kQvMapSize ? device.address : 0;
        for (int j = 1; j <= kReportedAttributes; ++j) {
            if (type.attrNames[j - 1].empty())
                continue;
            const bool fits = PlaceAttribute(type, address, j).bytes > 0;
            const int index = AttributeMapIndex(address, j);
            const bool timed = index >= 0 && position.timeMap[index] != kQvNoTime;
            rows.push_back({std::to_string(p), std::to_string(d), device.name.str(),
                            std::to_string(position.slotMasters[slot]), std::to_string(device.type), std::to_string(j),
                            type.attrNames[j - 1].str(), std::string(QvSourceShownText(type.source[j - 1])),
                            std::string(QvWidthText(type.width[j - 1])),
                            fits ? std::to_string(ReadAttribute(position, type, address, j)) : std::string(),
                            timed ? TimeField(position.timeMap[index]) : std::string()});
        }
    }
    return rows;
}

TReportOutcome PrintQvPositionReport(const TQuorvel& quorvel, std::string_view typed, IUserInterface& ui,
                                     const std::string& path)
{
    const auto p = ReadWholeNumber(TrimText(typed));
    if (!p) {
        ui.error(kMsgQvPositionEntry);
        return TReportOutcome::Refused;
    }
    if (*p < 1 || *p > kQvPositions) {
        ui.warning(kMsgQvPositionBetween);
        return TReportOutcome::Refused;
    }
    const auto rows = QvPositionReportRows(quorvel, *p);
    if (rows.empty()) {
        ui.information(kMsgQvNothingToPrint);
        return TReportOutcome::NothingToPrint;
    }
    return Write(rows, ui, path);
}

} // namespace lumora
