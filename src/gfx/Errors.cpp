// EDDError's formatter and the GetOleError table.
#include "gfx/Errors.h"

#include <map>

namespace gfx {

std::string Format(const std::string& format, std::initializer_list<FormatArg> args) {
    std::string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c != '%' || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        char conversion = format[++i];
        if (conversion == '%') {
            out += '%';
            continue;
        }
        if (next == args.end())
            throw ui::Exception("Format '" + format + "' invalid or incompatible with argument");
        const auto& value = next->Value();
        ++next;
        if (conversion == 'd' && std::holds_alternative<std::int64_t>(value))
            out += std::to_string(std::get<std::int64_t>(value));
        else if (conversion == 's' && std::holds_alternative<std::string>(value))
            out += std::get<std::string>(value);
        else
            throw ui::Exception("Format '" + format + "' invalid or incompatible with argument");
    }
    return out;
}

namespace {

const std::map<std::uint32_t, const char*>& Table() {
    static const std::map<std::uint32_t, const char*> table = [] {
        std::map<std::uint32_t, const char*> t{
            {0x80004001u, "Unsuported"},
            {0x80004005u, "Generic Error"},
            {0x8007000Eu, "Out Of Memory"},
            {0x80070057u, "Invalid Parameters"},
        };
        static const std::pair<int, const char*> dd[] = {
            {5, "Already Initialized"},
            {10, "Can't Attach Surface"},
            {20, "Can't Detach Surface"},
            {40, "Currently Not Available"},
            {55, "Exception"},
            {90, "Height Align"},
            {95, "Incompatible Primary"},
            {100, "Invalid Caps"},
            {110, "Invalid Clip List"},
            {120, "Invalid Mode"},
            {130, "Invalid Object"},
            {145, "Invalid Pixel Format"},
            {150, "Invalid Rectangle"},
            {160, "Locked Surfaces"},
            {170, "No 3D"},
            {180, "No Alpha HW"},
            {205, "No Clip List"},
            {210, "No Color Conv HW"},
            {212, "No Cooperative Level Set"},
            {215, "No Color Key"},
            {220, "No Color Key HW"},
            {222, "No Direct Draw Support"},
            {225, "No Exclusive Mode"},
            {230, "No Flip HW"},
            {240, "No GDI"},
            {250, "No Mirror HW"},
            {255, "Not Found"},
            {260, "No Overlay HW"},
            {280, "No Raster HW"},
            {290, "No Rotation HW"},
            {310, "No Streach HW"},
            {316, "Not 4 Bit Color"},
            {317, "Not 4 Bit Color Index"},
            {320, "Not 8 Bit Color"},
            {330, "No Texture HW"},
            {335, "No Vertical Sync HW"},
            {340, "No Z Buffer HW"},
            {350, "No Z Overlay HW"},
            {360, "Out of Caps"},
            {380, "Out Of Video Memory"},
            {382, "Overlay Can't Clip"},
            {384, "Overlay Color Key Only One Active"},
            {387, "Palette Busy"},
            {400, "ColorKey Not Set"},
            {410, "Surface Already Attached"},
            {420, "Surface Already Dependent"},
            {430, "Surface Busy"},
            {440, "Surface Is Obscured"},
            {450, "Surface Lost"},
            {460, "Surface Not Attached"},
            {470, "Too Big Height"},
            {480, "Too Big Size"},
            {490, "Too Big Width"},
            {510, "Unsupported Format"},
            {520, "Unsuported Mask"},
            {537, "Vertical Blank in Progress"},
            {540, "Was Still Drawing"},
            {560, "X Align"},
            {561, "Invalid DD GUID"},
            {562, "DD Already Created"},
            {563, "No DD HW"},
            {564, "Primary Surface already Exists"},
            {565, "No Emulation"},
            {566, "Region Too Small"},
            {567, "Clipper is using HWND"},
            {568, "No Clipper Attached"},
            {569, "No HWND"},
            {570, "HWND Sub classed"},
            {571, "HWND Already Set"},
            {572, "No Pallete Attached"},
            {573, "No Pallete HW"},
            {574, "BlitFast Can't Clip"},
            {575, "No Blit HW"},
            {576, "No DD Rops HW"},
            {577, "Overlay Not Visible"},
            {578, "No Overlay Dest"},
            {579, "Invalid Position"},
            {580, "Not an Overlay Surface"},
            {581, "Exclusive mode already set"},
            {582, "Unable to Flip"},
            {583, "Can't Duplicate"},
            {584, "Not Locked"},
            {585, "Can't Create DC"},
            {586, "No DC"},
            {587, "Invalid Mode"},
            {588, "Implicitlt Created"},
            {589, "Not Palettized"},
            {590, "Unsuported Mode"},
        };
        for (const auto& [n, text] : dd)
            t.emplace(0x88760000u + std::uint32_t(n), text);
        return t;
    }();
    return table;
}

} // namespace

// The platform's system messages for the codes a program commonly meets; the
// trailing period is dropped as the toolkit's SysErrorMessage drops it.
std::string SystemErrorMessage(std::int32_t result) {
    static const std::map<std::uint32_t, const char*> system{
        {0x00000000u, "The operation completed successfully"},
        {0x00000001u, "Incorrect function"},
        {0x80004002u, "No such interface supported"},
        {0x80004003u, "Invalid pointer"},
        {0x80004004u, "Operation aborted"},
        {0x8000FFFFu, "Catastrophic failure"},
        {0x80040154u, "Class not registered"},
        {0x80040110u, "Class does not support aggregation"},
        {0x800401F0u, "CoInitialize has not been called"},
        {0x80070002u, "The system cannot find the file specified"},
        {0x80070003u, "The system cannot find the path specified"},
        {0x80070005u, "Access is denied"},
        {0x80070006u, "The handle is invalid"},
        {0x80070008u, "Not enough storage is available to process this command"},
    };
    std::uint32_t code = std::uint32_t(result);
    auto it = system.find(code);
    if (it != system.end())
        return it->second;
    // A Win32 error number stands for the same message as its HRESULT form.
    it = system.find(0x80070000u | code);
    if (code < 0x10000 && code != 0 && it != system.end())
        return it->second;
    return {};
}

std::string GetOleError(std::int32_t result) {
    auto it = Table().find(std::uint32_t(result));
    if (it != Table().end())
        return std::string("GetOleError: ") + it->second;
    return "GetOleError: " + SystemErrorMessage(result);
}

} // namespace gfx
