#pragma once
// The coach's settings, kept in the preferences file: the hint's thinking
// time, the warning after a costly move and its threshold, the time the
// coach and the review take per position, and the analyst.

#include <string>

#include "engine/engine_options.h"
#include "uci/analyst_choice.h"

namespace quorvel {

struct CoachSettings {
    int hintSeconds = 2;                      // "Suggérer un coup" (kCoachTimeRange)
    bool warnings = false;                    // "Entraîneur": a box after a costly move against the computer
    int thresholdPawns = 2;                   // the loss that calls for the box (kCoachThresholdRange)
    int coachSeconds = 1;                     // the warning's time per position it looks at (kCoachTimeRange)
    int reviewSeconds = 1;                    // "Analyser la partie": time per position (kCoachTimeRange)
    std::string analyst = kStrongestAnalyst;  // see uci/analyst_choice.h

    friend bool operator==(const CoachSettings&, const CoachSettings&) = default;
};

constexpr ValueRange kCoachThresholdRange{1, 5};  // pawns
constexpr ValueRange kCoachTimeRange{1, 60};      // seconds

}  // namespace quorvel
