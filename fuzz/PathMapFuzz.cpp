// The path mapping: any Windows-shaped path is turned into a host path over a small
// tree of folders and files whose names differ only in case. The answer never holds a
// backslash and upper-casing touches only ASCII letters.
#include "FuzzSupport.h"

#include "platform/os/PathMap.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const auto& root = fuzzsupport::Scratch();
    std::filesystem::create_directories(root / "Sound");
    std::filesystem::create_directories(root / "sound" / "Deep");
    std::filesystem::create_directories(root / "Graphics");
    for (const char* name : {"Sound/Money.wav", "Sound/MONEY.WAV", "sound/Deep/a.b", "Graphics/Back.bmp", "City.ini"})
        fuzzsupport::WriteFile(name, nullptr, 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1024)
        return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    // Both below the tree and as written.
    for (const std::string& path : {fuzzsupport::Scratch().string() + "\\" + text, text}) {
        const std::string host = os::ResolvePath(path);
        if (host.find('\\') != std::string::npos)
            std::abort();
    }
    const std::string upper = os::AsciiUpper(text);
    if (upper.size() != text.size())
        std::abort();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const char want = (c >= 'a' && c <= 'z') ? char(c - 32) : char(c);
        if (upper[i] != want)
            std::abort();
    }
    return 0;
}
