#include "tools/artframes/clip_frames.h"

namespace quorvel::tools {

int writeClipFrames(const QString&, const QString&) { return 0; }

}  // namespace quorvel::tools
