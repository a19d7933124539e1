// SPDX-License-Identifier: GPL-3.0-or-later
// The whole design of one calculation, computed once: the case's outcome
// (the five results the case window shows), the hydraulic elements and the
// design checks of the calculated section, the section adopted and its
// verification, the water-surface connection to the canals, and the ways
// out of a design that does not meet its checks. Every view (command-line
// text and JSON, report, section, connection and comparison windows,
// drawings) formats this value and computes nothing of its own.
#pragma once

#include "hydraulics/adopted.h"
#include "hydraulics/cases.h"
#include "hydraulics/connection.h"
#include "hydraulics/designchecks.h"
#include "hydraulics/elements.h"
#include "hydraulics/errors.h"
#include "hydraulics/projectstate.h"
#include "hydraulics/waysout.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace hydraulics {

struct Recommendation; // hydraulics/recommend.h

enum class CaseStatus { Ok, NotConverged, Error };

// One run of a case on a fresh ProjectState: nothing an earlier calculation
// left in the working values reaches it, so it gives what the case window
// gives for the same inputs right after start-up. Failures are captured.
struct CaseOutcome {
    CaseStatus status = CaseStatus::Ok;
    ErrorKind kind = ErrorKind::TypeMismatch;     // when Error
    std::string message;                          // the Chinese message, when not Ok
    std::array<std::optional<float>, 8> inputs{}; // as stored; empty where unreadable
    ResultTexts results{};                        // Text9..Text13, when Ok
    std::optional<DesignPoint> design;            // when Ok
    double length = 0;                            // L as stored, m
    float totalLoss = 0;                          // Z as the case left it (case 2: the head met), m
};

CaseOutcome RunCase(int caseNo, const std::array<float, 8>& inputs);
// The outcome a case window's own successful calculation left in `m`
// (whose working values may carry over from an earlier calculation): its
// inputs as stored, the texts it shows, its design point.
CaseOutcome SucceededOutcome(const ProjectState& m, int caseNo, const std::array<float, 8>& inputs,
                             const ResultTexts& results);
// An outcome for a failure before any calculation (a file that cannot be read).
CaseOutcome FailedOutcome(const CalcError& error);

struct DesignRequest {
    int caseNo = 1;
    std::array<float, 8> inputs{}; // box order, as stored
    DesignConditions conditions{};
    std::optional<ConnectionInput> canals{}; // the canals the flume joins
    bool waysOut = true;                     // seek the ways out of a design that fails its checks
    // Search 推荐断面 (hydraulics/recommend.h) as well: the width and the
    // slope together, for the cheapest section that meets every check.
    bool recommend = false;
    // The case's outcome where it is already known (a case window's, whose
    // working values may carry over); else the case runs on a fresh state.
    std::optional<CaseOutcome> outcome{};
};

struct Design {
    int caseNo = 1;
    CaseOutcome outcome;
    DesignConditions conditions;
    std::optional<ConnectionInput> canals;

    // The calculated section (the case's own), when the case succeeded:
    // its elements, its checks (H not rounded) with their rows, and with
    // canal data its connection, which gives the checks its backwater,
    // bend and h₁.
    HydraulicElements elements;
    DesignChecks checks;
    std::vector<CheckRow> rows;
    std::optional<Connection> calculatedConnection;

    std::optional<AdoptedSection> adopted;
    std::optional<WaysOut> waysOut; // only for an adopted section not feasible

    // With canal data: the typed approach velocity V against the canals'
    // own, in one sentence where they differ by more than 5 %; the
    // transition form table K.1.2 gives for ξ₁ and ξ₂, in words.
    std::string velocityNote;
    std::string transitionNote;

    // 推荐断面, where the request asks for it and an adopted section forms.
    std::shared_ptr<const Recommendation> recommendation;

    bool succeeded() const { return outcome.status == CaseStatus::Ok && outcome.design; }
    // The connection of the design: the adopted section's, else the
    // calculated one's.
    const Connection* connection() const;
};

Design ComputeDesign(const DesignRequest& request);

// V against v₁ and v₂ (see Design::velocityNote); empty when they agree
// within 5 % or a figure is missing. `caseTotal` is the case's Z.
std::string VelocityNote(double V, const Connection& c, double caseTotal);

} // namespace hydraulics
