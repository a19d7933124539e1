// SPDX-License-Identifier: GPL-3.0-or-later
// Sweeps: row counts and bad ranges, rows equal to single calculations,
// a sweep across failures, the compliant rows of the case-1 example, the
// default range and variable, and the CSV table.
#include "hydraulics/cases.h"
#include "hydraulics/numtext.h"
#include "hydraulics/projectstate.h"
#include "hydraulics/sweep.h"
#include "hydraulics/sweeptable.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <sstream>
#include <tuple>

namespace {

using namespace hydraulics;
constexpr double kInf = std::numeric_limits<double>::infinity();
const std::array<float, 8> kCase1{4, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f};

TEST(Sweep, RowCountsAndBadRanges) {
    for (const auto& [range, rows] : {
             std::pair{SweepRange{1.0, 1.6, 0.05}, 13}, // 11.999… steps still reach 1.6
             std::pair{SweepRange{1.0, 1.6, 0.1}, 7},
             std::pair{SweepRange{2, 2, 1}, 1},
             std::pair{SweepRange{0, 1.99, 1}, 2},
             std::pair{SweepRange{-1, 1, 0.5}, 5},
             std::pair{SweepRange{0, 1999, 1}, 2000},
         })
        EXPECT_EQ(SweepRowCount(range), std::size_t(rows)) << range.from << ':' << range.to;
    for (const SweepRange& bad :
         {SweepRange{1, 0.9, 0.1}, SweepRange{0, 1, 0}, SweepRange{0, 1, -1},
          SweepRange{0, 2000, 1}, SweepRange{0, kInf, 1},
          SweepRange{-1e308, 1e308, 1e308}, // overflows to ∞ rows
          SweepRange{0, 1, std::nan("")}})
        EXPECT_THROW(SweepRowCount(bad), SweepRangeError) << bad.from << ':' << bad.to;
}

TEST(Sweep, ValuesAreWhatTheBoxStoresForTheirText) {
    const SweepRange range{0, 1, 0.1};
    EXPECT_EQ(SweepValue(range, 3), 0.3f); // not float(0.30000000000000004)
    EXPECT_EQ(SweepValue({1, 2, 1.0 / 3}, 1), ParseSingle("1.333333", ""));
    EXPECT_THROW(SweepValue({1e39, 2e39, 1e39}, 0, "槽内水深 h"), CalcError);
    EXPECT_EQ(ReadDecimal(" +1.25e1 "), 12.5);
    EXPECT_FALSE(ReadDecimal("1,5"));
    EXPECT_EQ(TypedDecimal(0.05f), 0.05);
    // Near the ends of the ranges: failed rows and a range, never a throw.
    EXPECT_THROW(SweepValue({0, 1.5e308, 1e308}, 2, "流量 Q"), CalcError);
    EXPECT_NO_THROW(DefaultSweepRange(3.4e38f));
    EXPECT_EQ(RunSweep({1, kCase1, 0, {3e38, 5e38, 1e38}, {}, {}})[2].kind, ErrorKind::Overflow);
}

TEST(Sweep, EveryRowIsTheSingleCalculation) {
    for (int c = 1; c <= kCaseCount; ++c) {
        SCOPED_TRACE(c);
        const std::array<float, 8> inputs =
            c == 4   ? std::array<float, 8>{1, 100, 2, 1000, 1, 0.014f, 0.2f, 0.3f}
            : c == 3 ? std::array<float, 8>{1, 100, 1.6f, 1000, 0.8f, 0.014f, 0.2f, 0.3f}
            : c == 2 ? std::array<float, 8>{4, 100, 1.5f, 0.2f, 1, 0.014f, 0.25f, 0.4f}
                     : kCase1;
        const auto rows = RunSweep({c, inputs, 2, {1.4, 1.8, 0.1}, {}, {}});
        ASSERT_EQ(rows.size(), 5u);
        for (const SweepRow& row : rows) {
            std::array<float, 8> single = inputs;
            single[2] = ParseSingle(SweepValueText(row, 2), "");
            ProjectState m;
            ASSERT_EQ(row.status, SweepStatus::Ok) << row.message;
            EXPECT_EQ(row.results, CalculateCase(m, c, single));
            EXPECT_EQ(row.design->B, FromCase(m, c).B);
            EXPECT_EQ(row.checks.ratio, CheckDesign(FromCase(m, c), 100).ratio);
        }
    }
}

TEST(Sweep, FailedRowsKeepTheirMessageAndTheSweepGoesOn) {
    // h = 1 and 1.05 fail in the width search (a negative root) for Q = 4.
    const auto rows = RunSweep({1, kCase1, 2, {1.0, 1.6, 0.05}, {}, {}});
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows[0].status, SweepStatus::Error);
    EXPECT_FALSE(rows[0].message.empty());
    EXPECT_FALSE(rows[0].meetsAll);
    EXPECT_EQ(rows[12].status, SweepStatus::Ok);
    EXPECT_EQ(SweepValueText(rows[12], 2), "1.6");
    // An n of zero divides by zero in every row; each is still a row.
    std::array<float, 8> noRoughness = kCase1;
    noRoughness[5] = 0;
    for (const SweepRow& row : RunSweep({1, noRoughness, 2, {1.2, 1.4, 0.1}, {}, {}}))
        EXPECT_EQ(row.status, SweepStatus::Error);
}

TEST(Sweep, TheWorkedExampleHasCompliantDepths) {
    // At h = 1.5 the net depth fails (H/B = 0.998); shallower, wider
    // sections meet every check, at least from h = 1.25 to 1.4 (below,
    // the water stands in the semicircle of the widest ones).
    const auto rows = RunSweep({1, kCase1, 2, {1.0, 1.6, 0.05}, {}, {}});
    std::string met;
    for (const SweepRow& row : rows)
        if (row.meetsAll)
            met += SweepValueText(row, 2) + ' ';
    EXPECT_TRUE(met.ends_with("1.25 1.3 1.35 1.4 ")) << met;
    EXPECT_EQ(rows[10].checks.depthRatioOk, Verdict::NotMet); // h = 1.5
}

TEST(Sweep, DefaultsAndVariableNames) {
    // From the typed decimal: 1.35 − 6 × 0.0675 is 0.945, not 0.9450001, and
    // the last row 1.755 is reached; the typed value is the middle row.
    for (const auto& [typed, from, to, step] :
         {std::tuple{"1.5", 1.05, 1.95, 0.075}, std::tuple{"1000", 700.0, 1300.0, 50.0},
          std::tuple{"1.35", 0.945, 1.755, 0.0675}, std::tuple{"0.014", 0.0098, 0.0182, 0.0007},
          std::tuple{"1.912109", 1.338509, 2.485709, 0.0956},
          std::tuple{"-2.6", -3.38, -1.82, 0.13}, std::tuple{"0", 0.0, 1.2, 0.1}}) {
        const SweepRange r = DefaultSweepRange(*ReadDecimal(typed));
        EXPECT_EQ(std::tie(r.from, r.to, r.step), std::tie(from, to, step)) << typed;
        EXPECT_EQ(SweepRowCount(r), 13u);
        if (r.from != 0) { // zero has no ±30 %: 0 to 1.2
            EXPECT_EQ(SweepValue(r, 6), ParseSingle(typed, "")) << typed;
        }
    }
    EXPECT_EQ(Case(3).inputNames[DefaultSweepVariable(3)].symbol, "B");
    EXPECT_EQ(SweepVariableIndex(2, "Z"), 3u);
    EXPECT_EQ(SweepVariableIndex(1, "xi2"), 7u);
    EXPECT_FALSE(SweepVariableIndex(1, "B"));
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields{""};
    for (const char c : line)
        c == ',' ? void(fields.emplace_back()) : fields.back().push_back(c);
    return fields;
}

TEST(Sweep, CsvHasOneLineARowWithTheHeadersFieldCount) {
    const auto rows = RunSweep({1, kCase1, 2, {1.0, 1.5, 0.1}, {}, {}});
    std::istringstream csv(SweepCsv(1, 2, rows));
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(line.rfind("h,status,error,Z,Z1,Z2,Z3,B,A,", 0), 0u) << line;
    const auto fields = std::count(line.begin(), line.end(), ',');
    int count = 0;
    while (std::getline(csv, line)) {
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), fields) << line;
        ++count;
    }
    EXPECT_EQ(count, 6);
    const SweepFigures f = FiguresOf(rows[5], 1);
    EXPECT_EQ(f.solved, 1.912109);
    EXPECT_EQ(f.Z, 0.153);
}

// The check columns are fixed before the first row by the canals and the
// conditions; a row carries a check only some rows have (the short
// flume's recheck) in its own column and leaves it empty otherwise.
TEST(Sweep, CsvColumnsHoldEveryRowsChecks) {
    ConnectionInput canals;
    canals.upstream = canals.downstream = Canal{2, 1.5, 0.025, 4000};
    canals.upstreamBed = 100;
    canals.allowedDrop = 0.3;
    canals.bendRadius = 40;
    ConnectionInput grade2 = canals;
    grade2.grade = 2;
    DesignConditions cold;
    cold.coldRegion = true;
    struct Run {
        std::optional<ConnectionInput> canals;
        DesignConditions conditions;
        std::size_t variable;
        SweepRange range;
        std::vector<std::string> columns; // expected among the header's
    };
    for (const Run& run : {
             Run{canals, {}, 2, {1.4, 1.6, 0.1}, {"短槽水面线复核", "弯道半径"}},
             Run{canals, {}, 1, {10, 200, 95}, {"短槽水面线复核"}}, // L: short, then long
             Run{grade2,
                 cold,
                 2,
                 {1.4, 1.5, 0.1},
                 {"寒冷地区泄水", "水工模型试验", "短槽水面线复核"}},
             Run{std::nullopt, cold, 2, {1.4, 1.6, 0.1}, {}},
         }) {
        std::array<float, 8> inputs = kCase1;
        const auto rows =
            RunSweep({1, inputs, run.variable, run.range, run.canals, run.conditions});
        std::istringstream csv(SweepCsv(1, run.variable, rows, run.canals, run.conditions));
        std::string line;
        std::getline(csv, line);
        const std::vector<std::string> header = Fields(line);
        for (const std::string& column : run.columns)
            EXPECT_NE(std::find(header.begin(), header.end(), column), header.end()) << column;
        EXPECT_EQ(std::count(header.begin(), header.end(), "短槽水面线复核"), run.canals ? 1 : 0);
        const auto recheck = std::find(header.begin(), header.end(), "短槽水面线复核");
        std::vector<bool> rechecked;
        while (std::getline(csv, line)) {
            const std::vector<std::string> row = Fields(line);
            ASSERT_EQ(row.size(), header.size()) << line;
            EXPECT_EQ(row[1], "ok") << line;
            if (recheck != header.end())
                rechecked.push_back(!row[std::size_t(recheck - header.begin())].empty());
        }
        if (run.variable == 1) { // L = 10 m is a short flume, 105 m and 200 m long ones
            EXPECT_EQ(rechecked, (std::vector<bool>{true, false, false}));
        }
    }
    EXPECT_NE(SweepCsvHeader(1, 2, std::nullopt, cold).find(",寒冷地区泄水,"), std::string::npos)
        << SweepCsvHeader(1, 2, std::nullopt, cold);
}

} // namespace
