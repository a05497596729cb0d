#include "engine/expansion.h"

namespace quorvel {

ExpansionCounts fastExpand(const Position& position, StateWord state, bool sideIsUpper, const EvalSettings& settings,
                           NodeList& out) {
    return literalExpand(position, state, sideIsUpper, settings, out);
}

}  // namespace quorvel
