// What the fuzz targets share: a scratch folder of their own, files written into it,
// and the headless backend with every box answered by its default button.
#pragma once

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/ui/Application.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fuzzsupport {

// A folder for this process's files, made once and emptied by nobody: the targets
// overwrite the same few names on every input.
inline const std::filesystem::path& Scratch() {
    static const std::filesystem::path dir = [] {
        std::filesystem::path d = std::filesystem::temp_directory_path() / ("plazaro_fuzz_" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

inline std::string WriteFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path path = Scratch() / name;
    std::filesystem::create_directories(path.parent_path());
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f) {
        if (size)
            std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path.string();
}

// The headless backend installed for the whole run; boxes go nowhere.
inline headless::HeadlessBackend& Backend() {
    static headless::HeadlessBackend backend;
    static bool installed = [] {
        backend.Output = [](const std::string&) {};
        ui::Application::Instance().SetBackend(&backend);
        return true;
    }();
    (void)installed;
    return backend;
}

} // namespace fuzzsupport
