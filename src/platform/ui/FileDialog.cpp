// Modal file dialogs through the backend.
#include "platform/ui/FileDialog.h"

#include "platform/ui/Application.h"
#include "platform/ui/Backend.h"

namespace ui {

bool FileDialog::Execute() {
    Backend* backend = Application::Instance().GetBackend();
    if (!backend)
        return false;
    auto chosen = backend->ExecuteFileDialog(*this);
    if (!chosen)
        return false;
    std::string name = *chosen;
    std::string ext = DefaultExt;
    while (!ext.empty() && (ext[0] == '*' || ext[0] == '.'))
        ext.erase(0, 1);
    if (!ext.empty()) {
        auto slash = name.find_last_of("/\\");
        auto dot = name.find_last_of('.');
        if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
            name += "." + ext;
    }
    FileName = name;
    return true;
}

} // namespace ui
