// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/waysout.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace hydraulics {
namespace {

constexpr double kReach = 0.5;        // ±50 % of the typed value
constexpr double kScanShare = 0.02;   // scan step, share of the typed value
constexpr double kBisectWidth = 1e-4; // m: the boundary to 0.1 mm
constexpr double kMillimetre = 1e-3;  // m
// Values on the design step tried for the nearest section: ±50 % of a
// 1.5 m depth at a 1 mm step is 1,500; beyond it (a vast typed value) the
// nearest 2,000 only, about 0.4 s of adopted sections.
constexpr double kMostGridValues = 2000;

// Adopted sections of the free input's values, each formed once.
class Trials {
public:
    Trials(const FlumeInputs& f, const DesignConditions& c, const std::optional<ConnectionInput>& k)
        : f_(f), conditions_(c), canals_(k) {}

    const std::optional<AdoptedSection>& at(double value) {
        auto found = made_.find(value);
        if (found == made_.end())
            found =
                made_.emplace(value, AdoptSection(WithFreeInput(f_, value), conditions_, canals_))
                    .first;
        return found->second;
    }

    // The check `id` is met (or not there) at `value`; false where no
    // section forms.
    bool meets(double value, const std::string& id) {
        const std::optional<AdoptedSection>& a = at(value);
        if (!a)
            return false;
        for (const CheckRow& row : a->section.rows)
            if (row.id == id)
                return Meets(row);
        return true;
    }

private:
    const FlumeInputs& f_;
    const DesignConditions& conditions_;
    const std::optional<ConnectionInput>& canals_;
    std::map<double, std::optional<AdoptedSection>> made_;
};

// The scanned values nearest first: v0(1 ± k·2 %), k = 1..25.
std::vector<double> ScanValues(double v0) {
    std::vector<double> values;
    for (int k = 1; k * kScanShare <= kReach + 1e-12; ++k) {
        values.push_back(v0 * (1 - k * kScanShare));
        values.push_back(v0 * (1 + k * kScanShare));
    }
    return values;
}

std::optional<CheckBoundary> Boundary(Trials& trials, double v0, const CheckRow& row) {
    for (const double v : ScanValues(v0)) {
        if (!(v > 0) || !trials.meets(v, row.id))
            continue;
        // Met at v, not at v0: bisect between them.
        double met = v, unmet = v0;
        while (std::fabs(met - unmet) > kBisectWidth) {
            const double mid = (met + unmet) / 2;
            if (mid == met || mid == unmet) // neighbouring doubles of a vast value
                break;
            (trials.meets(mid, row.id) ? met : unmet) = mid;
        }
        const bool upper = v < v0; // met below: an upper bound
        const double bound = upper ? std::floor(met / kMillimetre + 1e-6) * kMillimetre
                                   : std::ceil(met / kMillimetre - 1e-6) * kMillimetre;
        return CheckBoundary{row.id, row.item, upper, std::round(bound * 1e6) / 1e6};
    }
    return std::nullopt;
}

// Values on the design step within ±50 %, at most the kMostGridValues
// nearest the typed one, the nearest first (the smaller on a tie).
std::vector<double> GridValues(double v0, double step) {
    std::vector<double> values;
    const double high = v0 * (1 + kReach), centre = std::round(v0 / step);
    StepMultiples m = StepMultiplesIn(v0 * (1 - kReach), high, step);
    m.first = std::max(m.first, centre - kMostGridValues / 2);
    m.last = std::min(m.last, centre + kMostGridValues / 2);
    if (!(m.count() <= kMostGridValues + 1)) // steps no longer whole numbers apart
        return values;
    for (double k = m.first; k <= m.last; ++k) {
        const double v = StepMultiple(k, step);
        if (v > high + 1e-12)
            break;
        if (v > 0)
            values.push_back(v);
    }
    std::stable_sort(values.begin(), values.end(), [v0](double a, double b) {
        return std::fabs(a - v0) < std::fabs(b - v0) - 1e-12;
    });
    return values;
}

} // namespace

double FreeInput(const FlumeInputs& f) {
    return f.caseNo <= 2 ? f.h : f.B;
}

FlumeInputs WithFreeInput(FlumeInputs f, double value) {
    (f.caseNo <= 2 ? f.h : f.B) = value;
    return f;
}

WaysOut FindWaysOut(const FlumeInputs& f, const DesignConditions& conditions,
                    const std::optional<ConnectionInput>& canals, const VerifiedSection& current) {
    WaysOut w;
    w.current = FreeInput(f);
    if (!(w.current > 0) || !std::isfinite(w.current))
        return w;
    Trials trials(f, conditions, canals);
    for (const CheckRow& row : current.rows) {
        if (Meets(row))
            continue;
        if (const std::optional<CheckBoundary> b = Boundary(trials, w.current, row))
            w.boundaries.push_back(*b);
        else
            w.unbounded.push_back(row.item);
    }
    for (const double v : GridValues(w.current, conditions.widthStep)) {
        const std::optional<AdoptedSection>& a = trials.at(v);
        if (a && a->section.feasible) {
            w.nearest = v;
            w.section = a;
            break;
        }
    }
    return w;
}

} // namespace hydraulics
