#pragma once
// The user's folders for the settings file and the recovery file, made at
// start-up. Every message about a folder the program can't write is here,
// so it is said once and the same way.

#include <QString>

#include "features/file_locations.h"

namespace quorvel {

struct UserFolderCheck {
    bool settingsWritable = true;  // the configuration folder can hold quorvel.ini
    bool recoveryWritable = true;  // the data folder can hold partie.tmp
    QString message;               // what to tell the user; empty when all is well
};

// Makes the configuration and data folders when missing and tries a write
// in each.
UserFolderCheck checkUserFolders(const FileLocations::Folders& folders);

}  // namespace quorvel
