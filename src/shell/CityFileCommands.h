// The File menu's Save and Load City: the dialogs and the handlers around the city file.
#pragma once

#include "cityfile/FileStore.h"

#include <cstddef>

namespace ui {
class FileDialog;
}

// A city file is 404 short lines; a file far larger than that is refused unread.
constexpr std::size_t kCityFileReadLimit = 1 << 20;

// Titles, filters, default extension and options of the two dialogs.
void SetUpSaveDialog(ui::FileDialog& dialog);
void SetUpOpenDialog(ui::FileDialog& dialog);

// A fault for tests: the hook is handed to every save's writer until it is cleared
// with an empty hook, so a test can stop a save half-way through the file.
void SetCitySaveFault(cityfile::WriteHook hook);
