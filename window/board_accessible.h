#pragma once
// The board as screen readers see it: a list named "Échiquier" whose 64
// items are the squares as the picture shows them, row by row from the top
// left, each named by what it holds ("e4, pion blanc"). The focus square is
// the focused item while the board has the keyboard focus.

namespace quorvel {

// Makes the board view's accessible interface known to Qt; once per run.
void installBoardAccessibility();

}  // namespace quorvel
