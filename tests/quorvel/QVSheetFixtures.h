#pragma once

// Small Quorvel shows for the tests of the Quorvel windows' rules and reports.

#include "quorvel/Quorvel.h"
#include "show/EditorState.h"
#include "support/RecordingUi.h"

#include <memory>
#include <string>

namespace lumora::test {

struct TQvFixture {
    TRecordingUi ui;
    TEditorState state{ui};
    TQuorvel& q() { return state.show().quorvel; }

    // Type t named name with the attributes given as "Name:16" (16 bit) or "Name".
    void type(int t, const std::string& name, std::initializer_list<std::string> attributes)
    {
        TQVType& type = q().type(t);
        type = {};
        type.name = name;
        int k = 0;
        for (const std::string& a : attributes) {
            const auto colon = a.find(':');
            type.attrNames[k] = a.substr(0, colon);
            type.width[k] = colon != std::string::npos ? 1 : 0;
            type.source[k] = static_cast<std::uint8_t>(k % 27);
            ++k;
        }
    }
    void device(int d, const std::string& name, int type, int address)
    {
        TQVDevice& device = q().device(d);
        device.name = name;
        device.type = static_cast<std::uint16_t>(type);
        device.address = static_cast<std::uint16_t>(address);
    }
    void slot(int p, int slot, int device, int master = 0)
    {
        q().position(p).slotDevices[slot - 1] = static_cast<std::uint8_t>(device);
        q().position(p).slotMasters[slot - 1] = static_cast<std::uint8_t>(master);
    }
};

} // namespace lumora::test
