// SPDX-License-Identifier: GPL-3.0-or-later
// The water-surface connection and the backwater profile on any finite
// inputs: hydraulics::ComputeConnection of a flume (B, h, Q, x, n, L, ξ₁, ξ₂,
// p) in two canals (b, m, n, x, ∇₃; [ΔZ], θ₁, θ₂, grade, r), then
// hydraulics::TraceProfile on a flume and outlet depth of its own. Values
// are read five bytes each (see Decode): single-precision bit patterns up
// to ±3.4·10³⁸, thousandths, millionths or whole numbers, so that zero,
// negative, tiny and huge inputs all come.
//
// Contract, each input within a CPU-time limit (no hang):
// - the texts of ConnectionGroups and ConnectionChecks never show NaN or an
//   infinity ("nan", "inf"), and the command line's JSON "connection" object
//   (cli::AppendConnectionJson) is valid JSON, so holds no such number;
// - where formed, ∇₂ = ∇₁ − iL (iL = L/x) and ∇₄ = ∇₂ + h + Z₃ − h₂, each to
//   1e-9 of the largest figure in it (1e-9 m below 1 m);
// - a profile runs from the outlet (distance 0) to the inlet (distance L),
//   each point upstream of the one before (a step that does not move is no
//   point), with finite depths, the inlet depth the last point's and the
//   largest depth the largest point's.
#include "cli/calculation.h"
#include "cli/connectionreport.h"
#include "fuzzcheck.h"
#include "hydraulics/backwater.h"
#include "hydraulics/connection.h"
#include "hydraulics/connectionrows.h"
#include "hydraulics/projectstate.h"

#include <QJsonDocument>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

using namespace hydraulics;

constexpr double kLimitMs = 2000;

// Reads the input front to back; past its end every value is 0.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }

    // A tag byte and a little-endian word, read by tag % 4 as the bits of a
    // single (NaN as 0, an infinity as ±FLT_MAX), thousandths, millionths or
    // a whole number.
    double Decode() {
        const std::uint8_t tag = Byte();
        std::uint32_t word = 0;
        for (int k = 0; k < 4; ++k)
            word |= std::uint32_t(Byte()) << (8 * k);
        const double whole = static_cast<std::int32_t>(word);
        float bits = 0;
        std::memcpy(&bits, &word, sizeof bits);
        switch (tag % 4) {
        case 0:
            return std::isnan(bits) ? 0.0 : std::isinf(bits) ? std::copysign(FLT_MAX, bits) : bits;
        case 1:
            return whole / 1e3;
        case 2:
            return whole / 1e6;
        default:
            return whole;
        }
    }

    // A value, or none when the next byte is odd.
    std::optional<double> Maybe() {
        const bool none = Byte() % 2;
        const double value = Decode();
        return none ? std::nullopt : std::optional<double>(value);
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

Canal ReadCanal(Reader& r) {
    Canal c;
    c.b = r.Decode();
    c.m = r.Decode();
    c.n = r.Decode();
    c.x = r.Decode();
    return c;
}

void RequireShown(const std::string& text) {
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    fuzzcheck::Require(lower.find("nan") == std::string::npos &&
                           lower.find("inf") == std::string::npos,
                       "a figure that is no number shown", text);
}

void RequireNear(double got, double want, std::initializer_list<double> terms, const char* what) {
    double scale = 1;
    for (const double t : terms)
        scale = std::max(scale, std::fabs(t));
    fuzzcheck::Require(std::fabs(got - want) <= 1e-9 * scale, what,
                       std::to_string(got) + " against " + std::to_string(want));
}

void CheckTexts(const Connection& c) {
    for (const ConnectionGroup& group : ConnectionGroups(c))
        for (const ElementRow& row : group.rows)
            RequireShown(ConnectionLine(row));
    for (const CheckRow& row : ConnectionChecks(c))
        RequireShown(row.value + " | " + row.requirement);
}

void CheckLevels(const ConnectionFlume& f, const Connection& c) {
    const ConnectionLevels& e = c.levels;
    const ConnectionDesign& d = c.design;
    if (e.bedInlet && e.bedOutlet) {
        const double iL = f.length / f.point.x;
        RequireNear(*e.bedOutlet, *e.bedInlet - iL, {*e.bedInlet, iL}, "∇₂ ≠ ∇₁ − iL");
    }
    if (e.bedOutlet && e.bedDownstream && d.Z3 && d.h2)
        RequireNear(*e.bedDownstream, *e.bedOutlet + f.point.h + *d.Z3 - *d.h2,
                    {*e.bedOutlet, f.point.h, *d.Z3, *d.h2}, "∇₄ ≠ ∇₂ + h + Z₃ − h₂");
}

// The JSON the command line writes of the connection.
void CheckJson(const Connection& c) {
    std::string json;
    cli::AppendConnectionJson(json, c);
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
    fuzzcheck::Require(error.error == QJsonParseError::NoError && doc.isObject(),
                       "connection JSON not a valid object", json);
}

// A profile from the outlet (0) to the inlet (L), its inlet and largest depths.
void CheckPoints(const std::vector<ProfilePoint>& points, double L, double inlet, double most) {
    fuzzcheck::Require(!points.empty() && points.front().distance == 0 &&
                           points.back().distance == L,
                       "profile does not run from outlet to inlet");
    double largest = 0, last = -1;
    for (const ProfilePoint& point : points) {
        fuzzcheck::Require(point.distance > last && std::isfinite(point.depth),
                           "profile point not upstream of the one before, or depth not finite",
                           std::to_string(point.distance) + " after " + std::to_string(last));
        last = point.distance;
        largest = std::max(largest, point.depth);
    }
    fuzzcheck::Require(inlet == points.back().depth && most == largest,
                       "inlet or largest depth not the profile's");
}

void CheckProfile(Reader& r) {
    const double B = r.Decode(), x = r.Decode(), n = r.Decode(), Q = r.Decode(), L = r.Decode(),
                 outlet = r.Decode();
    if (const std::optional<FlumeProfile> p = TraceProfile(B, x, n, Q, L, outlet))
        CheckPoints(p->points, L, p->inletDepth, p->maxDepth);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Reader r(data, size);
    ConnectionFlume f;
    f.point.B = r.Decode();
    f.point.h = r.Decode();
    f.point.Q = r.Decode();
    f.point.x = r.Decode();
    f.point.n = r.Decode();
    f.point.straightWalls = r.Byte() % 2;
    f.length = r.Decode();
    f.xi1 = static_cast<float>(r.Decode()); // as the case window stores them
    f.xi2 = static_cast<float>(r.Decode());
    if (const auto p = r.Maybe())
        f.increasePercent = std::fmod(std::fabs(*p), 50.0);
    ConnectionInput in;
    in.upstream = ReadCanal(r);
    in.upstreamBed = r.Decode();
    in.downstream = ReadCanal(r);
    in.allowedDrop = r.Maybe();
    in.inletAngle = r.Decode();
    in.outletAngle = r.Decode();
    in.grade = 1 + r.Byte() % 5;
    in.bendRadius = r.Maybe();

    fuzzcheck::CpuBudget budget("connection and profile", kLimitMs);
    const Connection c = ComputeConnection(f, in);
    CheckTexts(c);
    CheckLevels(f, c);
    if (c.increased.inletDepth)
        CheckPoints(c.increased.profile, f.length, *c.increased.inletDepth,
                    c.increased.maxDepth.value_or(-1));
    CheckJson(c);
    CheckProfile(r);
    return 0;
}
