#pragma once
// The frames of our three clips, drawn from the game's own artwork.

#include <QString>

namespace quorvel::tools {

// Writes frame0000.png, frame0001.png, ... for clip `name` ("intro",
// "apropos", "pieceprise") into `folder`; returns the number written, 0 for
// an unknown name or a failed write. Frames are meant for 10 per second.
int writeClipFrames(const QString& name, const QString& folder);

}  // namespace quorvel::tools
