// The player's own folders, by the Linux desktop's conventions: data, settings, pictures.
#pragma once

#include <string>

namespace os {

// $HOME, else the password database's home folder, else "/tmp".
std::string HomeDir();
// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share.
std::string DataHome();
// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
std::string ConfigHome();
// $XDG_PICTURES_DIR, else the pictures folder named in the user's user-dirs.dirs,
// else ~/Pictures.
std::string PicturesDir();

// A new screenshot's path in the folder: plazaro-YYYYMMDD-HHMMSS.png by the local
// time, with "-2", "-3"... added when a picture of that second is already there.
std::string NewScreenshotPath(const std::string& folder);

// Creates a folder and the folders above it; true when it exists afterwards.
bool MakeFolders(const std::string& path, std::string& error);

// Replaces a file with new contents all at once: the text goes into a new file beside
// it, flushed to the disk, and only then takes the old one's place.
bool WriteFileAtomically(const std::string& path, const std::string& contents, std::string& error);

} // namespace os
