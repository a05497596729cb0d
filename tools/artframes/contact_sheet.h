#pragma once
// One picture showing all the artwork as the game shows it: every piece of
// the three sets with its shadow on light and dark squares, the toolbar
// pictures, the logo and the icon sizes.

#include <QImage>

namespace quorvel::tools {

QImage contactSheet();

}  // namespace quorvel::tools
