// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/design.h"

#include "hydraulics/checkrow.h"
#include "hydraulics/connectionrows.h"
#include "hydraulics/projectstate.h"
#include "hydraulics/recommend.h"

#include <algorithm>
#include <cmath>

namespace hydraulics {
namespace {

constexpr double kVelocityShare = 0.05; // V and a canal velocity agree within 5 %

bool Differs(double V, const std::optional<double>& canal) {
    return canal && *canal > 0 && std::fabs(V - *canal) > kVelocityShare * *canal;
}

std::string TransitionNote(const FlumeInputs& f, const ConnectionInput& canals) {
    std::string text;
    if (const TransitionForm* form = FormOfCoefficients(f.xi1, f.xi2))
        text = "ξ₁ = " + FixedText(f.xi1, 2) + "、ξ₂ = " + FixedText(f.xi2, 2) +
               " 对应表 K.1.2 的" + std::string(form->name) + "渐变段";
    else
        text = "ξ₁ = " + FixedText(f.xi1, 2) + "、ξ₂ = " + FixedText(f.xi2, 2) +
               " 不对应表 K.1.2 中的任一渐变段形式";
    const bool inlet = canals.inletAngle >= kMinInletAngle && canals.inletAngle <= kMaxInletAngle;
    const bool outlet =
        canals.outletAngle >= kMinOutletAngle && canals.outletAngle <= kMaxOutletAngle;
    if (!inlet)
        text += "；进口收缩角 θ₁ = " + FixedText(canals.inletAngle, 1) + "° 不在 11°～18° 内";
    if (!outlet)
        text += "；出口扩散角 θ₂ = " + FixedText(canals.outletAngle, 1) + "° 不在 8°～11° 内";
    return text + "。";
}

} // namespace

CaseOutcome FailedOutcome(const CalcError& error) {
    CaseOutcome outcome;
    outcome.status = CaseStatus::Error;
    outcome.kind = error.kind();
    outcome.message = error.message();
    return outcome;
}

CaseOutcome RunCase(int caseNo, const std::array<float, 8>& inputs) {
    CaseOutcome outcome;
    std::copy(inputs.begin(), inputs.end(), outcome.inputs.begin());
    ProjectState m; // fresh: no working value of an earlier calculation
    try {
        outcome.results = CalculateCase(m, caseNo, inputs);
        outcome.design = FromCase(m, caseNo);
        outcome.length = m.BasicData[PosL];
        outcome.totalLoss = m.TotalLoss;
    } catch (const CalcError& e) {
        const std::array<std::optional<float>, 8> stored = outcome.inputs;
        outcome = FailedOutcome(e);
        outcome.inputs = stored;
    } catch (const NotConverged& e) {
        outcome.status = CaseStatus::NotConverged;
        outcome.message = e.message();
    }
    return outcome;
}

CaseOutcome SucceededOutcome(const ProjectState& m, int caseNo, const std::array<float, 8>& inputs,
                             const ResultTexts& results) {
    CaseOutcome outcome;
    std::copy(inputs.begin(), inputs.end(), outcome.inputs.begin());
    outcome.results = results;
    outcome.design = FromCase(m, caseNo);
    outcome.length = m.BasicData[PosL];
    outcome.totalLoss = m.TotalLoss;
    return outcome;
}

const Connection* Design::connection() const {
    if (adopted && adopted->section.connection)
        return &*adopted->section.connection;
    return calculatedConnection ? &*calculatedConnection : nullptr;
}

std::string VelocityNote(double V, const Connection& c, double caseTotal) {
    const ConnectionDesign& d = c.design;
    const bool up = Differs(V, d.v1), down = Differs(V, d.v2);
    if (!(up || down) || !d.drop)
        return {};
    std::string canal = up ? "上游渠道流速 v₁ = " + FixedText(*d.v1, 3) + " m/s" : "";
    if (down)
        canal +=
            (up ? "、下游渠道流速 v₂ = " : "下游渠道流速 v₂ = ") + FixedText(*d.v2, 3) + " m/s";
    return "基本资料的渠道流速 V = " + FixedText(V, 3) + " m/s 与" + canal +
           " 不同；水面衔接按渠道流速计算，ΔZ = " + FixedText(*d.drop, 3) +
           " m（按 V 计算 Z = " + FixedText(caseTotal, 3) + " m）。";
}

Design ComputeDesign(const DesignRequest& request) {
    Design d;
    d.caseNo = request.caseNo;
    d.conditions = request.conditions;
    d.canals = request.canals;
    d.outcome = request.outcome ? *request.outcome : RunCase(request.caseNo, request.inputs);
    if (!d.succeeded())
        return d;
    const DesignPoint& point = *d.outcome.design;
    const double L = d.outcome.length;
    const FlumeInputs f = FlumeInputsOf(request.caseNo, request.inputs);
    d.elements = ComputeElements(point);
    if (d.canals)
        d.calculatedConnection =
            ComputeConnection(ConnectionFlume{point, L, f.xi1, f.xi2, d.conditions.increasePercent,
                                              d.conditions.region},
                              *d.canals);
    d.checks = CheckDesign(point, L, d.conditions,
                           d.calculatedConnection ? &*d.calculatedConnection : nullptr);
    d.rows = CheckRows(d.checks);
    d.adopted = AdoptSection(f, d.conditions, d.canals);
    if (d.canals) {
        if (const Connection* c = d.connection())
            d.velocityNote = VelocityNote(f.V, *c, d.outcome.totalLoss);
        d.transitionNote = TransitionNote(f, *d.canals);
    }
    if (request.waysOut && d.adopted && !d.adopted->section.feasible)
        d.waysOut = FindWaysOut(f, d.conditions, d.canals, d.adopted->section);
    if (request.recommend && d.adopted)
        if (const std::optional<RecommendInput> input = RecommendInputOf(d))
            d.recommendation = std::make_shared<const Recommendation>(Recommend(*input));
    return d;
}

} // namespace hydraulics
