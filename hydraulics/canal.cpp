// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/canal.h"

#include "hydraulics/elements.h"
#include "hydraulics/risingroot.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace hydraulics {
namespace {

constexpr double kG = 9.81; // m/s²

bool Finite(double value) {
    return std::isfinite(value);
}

bool Positive(double value) {
    return std::isfinite(value) && value > 0;
}

// A depth to start the bracket at: about the bottom width, 1 m for a
// V-shaped canal.
double StartDepth(const Canal& c) {
    return c.b > 0 ? c.b : 1.0;
}

// Depths a search over flume sections asks for again and again: the same
// canals at Q and Q加 for every candidate, and a candidate's own normal
// depth at Q加 for its checks and for its backwater. Remembered per thread;
// a depth is a pure function of its arguments, so a remembered one is the
// very double the bisection gives.
enum class DepthKind { CanalNormal, CanalCritical, FlumeNormal };

class DepthMemo {
public:
    using Key = std::array<double, 5>;

    template <class Solve> std::optional<double> get(DepthKind kind, const Key& key, Solve solve) {
        for (const Entry& e : entries_)
            if (e.used && e.kind == kind && e.key == key)
                return e.depth;
        Entry& e = entries_[next_];
        next_ = (next_ + 1) % entries_.size();
        e = {true, kind, key, solve()};
        return e.depth;
    }

private:
    struct Entry {
        bool used = false;
        DepthKind kind = DepthKind::CanalNormal;
        Key key{};
        std::optional<double> depth;
    };
    std::array<Entry, 12> entries_{}; // two canals at Q and Q加, and a flume
    std::size_t next_ = 0;
};

DepthMemo& Memo() {
    thread_local DepthMemo memo;
    return memo;
}

} // namespace

bool IsCanal(const Canal& c) {
    return Finite(c.b) && Finite(c.m) && c.b >= 0 && c.m >= 0 && c.b + c.m > 0 && Positive(c.n) &&
           Positive(c.x);
}

CanalShape CanalSection(const Canal& c, double y) {
    if (!(y > 0))
        return {0, 0, 0};
    return {(c.b + c.m * y) * y, c.b + 2 * y * std::sqrt(1 + c.m * c.m), c.b + 2 * c.m * y};
}

std::optional<double> CanalNormalDepth(const Canal& c, double Q) {
    if (!IsCanal(c) || !Positive(Q))
        return std::nullopt;
    const double rootSlope = std::sqrt(1 / c.x);
    return Memo().get(DepthKind::CanalNormal, {c.b, c.m, c.n, c.x, Q}, [&] {
        return RisingRoot(
            [&](double y) {
                const CanalShape s = CanalSection(c, y);
                if (!Positive(s.area))
                    return -Q;
                return s.area * std::pow(s.area / s.perimeter, 2.0 / 3.0) * rootSlope / c.n - Q;
            },
            StartDepth(c), 0);
    });
}

std::optional<double> CanalCriticalDepth(const Canal& c, double Q) {
    if (!IsCanal(c) || !Positive(Q))
        return std::nullopt;
    return Memo().get(DepthKind::CanalCritical, {c.b, c.m, c.n, c.x, Q}, [&] {
        return RisingRoot(
            [&](double y) {
                const CanalShape s = CanalSection(c, y);
                return kG * s.area * s.area * s.area - Q * Q * s.topWidth;
            },
            StartDepth(c), 0);
    });
}

std::optional<double> FrictionSlope(double Q, double n, double area, double radius) {
    if (!Positive(area) || !Positive(radius) || !Finite(Q) || !Finite(n))
        return std::nullopt;
    const double root = n * Q / (area * std::pow(radius, 2.0 / 3.0));
    const double slope = root * root;
    return Finite(slope) ? std::optional<double>(slope) : std::nullopt;
}

std::optional<double> CanalFrictionSlope(const Canal& c, double Q, double y) {
    const CanalShape s = CanalSection(c, y);
    if (!Positive(s.perimeter))
        return std::nullopt;
    return FrictionSlope(Q, c.n, s.area, s.area / s.perimeter);
}

std::optional<double> FlumeFrictionSlope(double B, double n, double Q, double y) {
    const SectionShape s = TrueSection(B, y);
    if (!Positive(s.perimeter))
        return std::nullopt;
    return FrictionSlope(Q, n, s.area, s.area / s.perimeter);
}

std::optional<double> FlumeNormalDepth(double B, double Q, double x, double n) {
    if (!Positive(B) || !Positive(Q) || !Positive(x) || !Positive(n))
        return std::nullopt;
    return Memo().get(DepthKind::FlumeNormal, {B, Q, x, n, 0}, [&] {
        return RisingRoot([&](double y) { return TrueManningDischarge(B, y, x, n) - Q; }, B / 2, 0);
    });
}

} // namespace hydraulics
