// File open and save dialogs.
#pragma once

#include "platform/ui/Component.h"

#include <string>
#include <utility>
#include <vector>

namespace ui {

// Options, as the toolkit numbered them.
constexpr unsigned ofOverwritePrompt = 0x1;
constexpr unsigned ofHideReadOnly = 0x2;
constexpr unsigned ofPathMustExist = 0x4;
constexpr unsigned ofFileMustExist = 0x8;
constexpr unsigned ofNoReadOnlyReturn = 0x10;
constexpr unsigned ofNoNetworkButton = 0x20;

class FileDialog : public Component {
public:
    enum class Kind { Open, Save };
    explicit FileDialog(std::string name = {}, Kind kind = Kind::Open) : Component(std::move(name)), kind(kind) {}

    Kind kind;
    std::string Title;
    std::string Filter; // "City files (*.PZ1)|*.PZ1"
    std::string DefaultExt;
    std::string InitialDir;
    unsigned Options = 0;
    std::string FileName;
    // Folders the dialog offers a button for ("Home", "Cities"), by caption.
    std::vector<std::pair<std::string, std::string>> Places;

    // Shows the dialog modally; true with FileName set when the player chose a file.
    // A chosen name without an extension gets DefaultExt; a DefaultExt written as a
    // pattern ("*.PZ1") adds only its extension.
    bool Execute();
};

} // namespace ui
