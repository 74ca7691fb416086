#include "patch/Profile.h"

#include <algorithm>

namespace lumora {

namespace {

// clang-format off
// Profile 5, "Square Law": output for input row + column, one row of 16 inputs a line.
constexpr std::array<std::uint8_t, 256> kSquareLaw = {
      0,   1,   2,   4,   6,   8,  10,  12,  14,  17,  20,  22,  24,  26,  29,  33, // 0
     36,  39,  43,  49,  56,  58,  61,  64,  66,  68,  71,  74,  77,  79,  81,  82, // 16
     83,  84,  85,  86,  87,  88,  89,  90,  91,  92,  95,  97,  98,  99, 100, 101, // 32
    102, 104, 105, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119, // 48
    120, 121, 122, 123, 124, 125, 126, 127, 128, 129, 130, 131, 132, 133, 134, 135, // 64
    135, 136, 136, 137, 138, 138, 139, 139, 140, 140, 141, 142, 143, 144, 145, 146, // 80
    147, 148, 149, 150, 151, 152, 153, 154, 155, 156, 157, 158, 158, 159, 159, 160, // 96
    161, 162, 163, 164, 165, 165, 166, 166, 167, 168, 168, 169, 170, 171, 171, 172, // 112
    172, 173, 173, 174, 175, 175, 176, 176, 177, 178, 178, 179, 179, 180, 180, 181, // 128
    181, 182, 182, 183, 183, 184, 184, 185, 185, 186, 187, 188, 188, 189, 189, 190, // 144
    191, 192, 193, 193, 194, 195, 195, 196, 196, 197, 198, 199, 200, 200, 201, 201, // 160
    202, 203, 204, 205, 206, 206, 207, 207, 208, 208, 209, 210, 210, 211, 212, 212, // 176
    213, 214, 215, 215, 216, 216, 217, 217, 218, 219, 220, 220, 221, 221, 222, 222, // 192
    223, 224, 225, 226, 226, 227, 227, 228, 229, 230, 231, 231, 232, 232, 233, 234, // 208
    235, 235, 236, 236, 237, 237, 238, 239, 240, 240, 241, 241, 242, 242, 243, 244, // 224
    244, 245, 245, 246, 247, 248, 249, 250, 251, 251, 252, 252, 253, 254, 255, 255, // 240
};

// Profile 6, "Ballast": output for input row + column, one row of 16 inputs a line.
constexpr std::array<std::uint8_t, 256> kBallast = {
      0,   5,  11,  16,  22,  28,  35,  48,  60,  65,  68,  70,  73,  75,  78,  80, // 0
     82,  84,  85,  87,  88,  89,  90,  91,  93,  94,  95,  96,  98,  99, 100, 101, // 16
    103, 104, 105, 106, 108, 109, 110, 111, 112, 113, 113, 114, 115, 116, 116, 117, // 32
    118, 119, 120, 121, 122, 123, 124, 125, 126, 127, 128, 129, 130, 131, 132, 133, // 48
    134, 135, 136, 136, 137, 138, 139, 139, 140, 141, 142, 142, 143, 144, 145, 146, // 64
    146, 147, 148, 149, 150, 151, 151, 152, 153, 154, 155, 156, 157, 158, 159, 160, // 80
    161, 161, 162, 163, 164, 164, 165, 166, 167, 168, 168, 169, 170, 171, 172, 173, // 96
    173, 174, 175, 176, 177, 177, 178, 179, 180, 181, 181, 182, 183, 183, 184, 185, // 112
    185, 186, 186, 187, 188, 188, 189, 190, 190, 191, 192, 192, 193, 194, 194, 195, // 128
    195, 196, 196, 197, 197, 198, 198, 199, 200, 200, 201, 201, 202, 202, 203, 203, // 144
    204, 204, 205, 205, 206, 206, 207, 207, 208, 208, 209, 209, 210, 210, 211, 211, // 160
    212, 212, 213, 213, 214, 215, 215, 216, 216, 217, 217, 218, 218, 219, 220, 220, // 176
    221, 221, 222, 222, 223, 223, 224, 225, 225, 226, 226, 227, 227, 228, 228, 229, // 192
    230, 230, 231, 231, 232, 232, 233, 233, 234, 235, 235, 236, 236, 237, 238, 238, // 208
    239, 240, 240, 241, 241, 242, 243, 243, 244, 245, 245, 246, 246, 247, 247, 248, // 224
    248, 249, 249, 250, 250, 251, 251, 252, 252, 252, 253, 253, 254, 254, 255, 255, // 240
};

// clang-format on

// Output never falls as the input rises.
static_assert(std::is_sorted(kSquareLaw.begin(), kSquareLaw.end()));
static_assert(std::is_sorted(kBallast.begin(), kBallast.end()));

constexpr std::array<std::uint8_t, 256> MakeFloorCurve(int floor)
{
    std::array<std::uint8_t, 256> curve{};
    for (int i = 0; i < 256; ++i)
        curve[i] = static_cast<std::uint8_t>(std::max(i, floor));
    return curve;
}

constexpr std::array<std::uint8_t, 256> kLinear = MakeFloorCurve(0);
// Preheat curves keep the filament warm: the lowest inputs all give the floor level.
constexpr std::array<std::uint8_t, 256> kPreheat1 = MakeFloorCurve(3);
constexpr std::array<std::uint8_t, 256> kPreheat2 = MakeFloorCurve(13);
constexpr std::array<std::uint8_t, 256> kPreheat3 = MakeFloorCurve(25);

constexpr std::array<std::string_view, 6> kBuiltInNames = {"Linear",    "Preheat 1",  "Preheat 2",
                                                           "Preheat 3", "Square Law", "Ballast"};

// The 26th block of the section belongs to no profile and is never touched.
constexpr std::size_t kCurveBlockSize = 256;
static_assert(kCurveBlockSize * (kProfiles + 1) == kProfileSectionSize);
static_assert(kProfileNameSlot * kProfiles == kProfileNamesSize);
constexpr std::size_t kMaxNameLength = kProfileNameSlot - 1; // 16

} // namespace

std::string_view DefaultProfileName(int number)
{
    if (number >= 1 && number <= static_cast<int>(kBuiltInNames.size()))
        return kBuiltInNames[number - 1];
    return ""; // a real empty text, never a null view: names copy their characters with memcpy
}

const std::array<std::uint8_t, 256>& DefaultProfileCurve(int number)
{
    switch (number) {
    case 2: return kPreheat1;
    case 3: return kPreheat2;
    case 4: return kPreheat3;
    case 5: return kSquareLaw;
    case 6: return kBallast;
    default: return kLinear; // profile 1 and the user profiles 7..25
    }
}

void SetDefaultProfile(TProfile& profile, int number)
{
    profile.name = DefaultProfileName(number);
    profile.curve = DefaultProfileCurve(number);
}

void SetDefaultProfiles(TProfiles& profiles)
{
    for (int n = 1; n <= kProfiles; ++n)
        SetDefaultProfile(profiles[n - 1], n);
}

void SetDefaultProfileNames(TProfiles& profiles)
{
    for (int n = 1; n <= kProfiles; ++n)
        profiles[n - 1].name = DefaultProfileName(n);
}

void WriteDefaultProfileNamesBlock(std::span<std::uint8_t, kProfileNamesSize> block)
{
    std::fill(block.begin(), block.end(), std::uint8_t{0});
    for (int n = 1; n <= kProfiles; ++n) {
        const std::string_view name = DefaultProfileName(n);
        const std::size_t slot = (n - 1) * kProfileNameSlot;
        block[slot] = static_cast<std::uint8_t>(name.size());
        std::copy(name.begin(), name.end(), block.begin() + slot + 1);
    }
}

void UnpackProfiles(TProfiles& profiles, std::span<const std::uint8_t, kProfileSectionSize> section)
{
    for (int n = 0; n < kProfiles; ++n) {
        profiles[n].name = std::string_view("");
        const auto block = section.subspan(n * kCurveBlockSize, kCurveBlockSize);
        std::copy(block.begin(), block.end(), profiles[n].curve.begin());
    }
}

void CompileProfiles(const TProfiles& profiles, std::span<std::uint8_t, kProfileSectionSize> section)
{
    for (int n = 0; n < kProfiles; ++n)
        std::copy(profiles[n].curve.begin(), profiles[n].curve.end(), section.begin() + n * kCurveBlockSize);
}

void UnpackProfileNames(TProfiles& profiles, std::span<const std::uint8_t, kProfileNamesSize> block)
{
    for (int n = 0; n < kProfiles; ++n) {
        const std::size_t slot = n * kProfileNameSlot;
        const std::size_t length = std::min<std::size_t>(block[slot], kMaxNameLength);
        profiles[n].name = std::string_view(reinterpret_cast<const char*>(block.data() + slot + 1), length);
    }
}

void CompileProfileNames(const TProfiles& profiles, std::span<std::uint8_t, kProfileNamesSize> block)
{
    // Only the length byte and the name's own characters are written: whatever follows
    // them in the slot stays as the image held it.
    for (int n = 0; n < kProfiles; ++n) {
        const std::string_view name = profiles[n].name.view().substr(0, kMaxNameLength);
        const std::size_t slot = n * kProfileNameSlot;
        block[slot] = static_cast<std::uint8_t>(name.size());
        std::copy(name.begin(), name.end(), block.begin() + slot + 1);
    }
}

} // namespace lumora
