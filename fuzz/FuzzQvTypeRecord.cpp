// Any 485 bytes read from a .qvt file must decode to a type that encodes and decodes
// to itself: length bytes above their field are cut, never followed out of the slot.

#include "quorvel/QVTypeFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < lumora::kQvTypeFileSize)
        return 0;
    const std::span<const std::uint8_t, lumora::kQvTypeFileSize> record(data, lumora::kQvTypeFileSize);
    const lumora::TQVType type = lumora::DecodeQvTypeRecord(record);
    const auto encoded = lumora::EncodeQvTypeRecord(type);
    const lumora::TQVType again = lumora::DecodeQvTypeRecord(encoded);
    if (!(again == type))
        std::abort();
    // What this program writes is already in its settled form.
    if (lumora::EncodeQvTypeRecord(again) != encoded)
        std::abort();
    return 0;
}
