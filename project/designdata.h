// SPDX-License-Identifier: GPL-3.0-or-later
// The design conditions a project keeps beside its eight inputs, as JSON:
// the side file's section "design" and the same keys in an
// `ambrelo-calc --connection` file.
//
//   {"step": 0.01, "support": "beam", "tie_rod_depth": null, "cold_region": false,
//    "region": null}
//
// step: the design step of the width, 0.001 to 0.1 m; support: "beam"
// (梁式) or "arch" (拱式); tie_rod_depth: the tie rods' underside below the
// flume top, m ≥ 0, or null for none; cold_region: true in a cold or
// severely cold region; region: "humid" (湿润) or "arid" (干旱), the end of
// table 6.3.4's row p takes, or null for not stated. Each may be left out;
// other keys are passed over.
#pragma once

#include "hydraulics/designchecks.h"
#include "project/conditionkeys.h"

#include <QJsonObject>
#include <optional>
#include <string>

namespace project {

struct ConditionsRead {
    ConditionKeys keys;
    std::string key;     // the first wrong key; empty when all are right
    std::string problem; // a whole sentence naming the input as labelled and the key
};

// Reads the keys of `object`; `where` names the source ("渠道资料文件 “a.json” 中的").
ConditionsRead ReadConditionKeys(const QJsonObject& object, const std::string& where);

// The five keys of `conditions`.
QJsonObject ConditionsJson(const hydraulics::DesignConditions& conditions);

// The keys kept in project `projectName`'s side file (section "design");
// `problem` receives a sentence when the file or a key is damaged (then
// none, or those read before the damaged one).
ConditionKeys SavedConditionKeys(const std::string& projectName, std::string* problem = nullptr);

// The conditions kept in project `projectName`'s side file (section
// "design") over the defaults, with the project's 建筑物级别 (KeptGrade);
// `problem` receives a sentence when the file or a key is damaged (then
// the defaults, or what was readable).
hydraulics::DesignConditions SavedConditions(const std::string& projectName,
                                             std::string* problem = nullptr);

} // namespace project
