// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/sweepbase.h"

#include "hydraulics/cases.h"
#include "hydraulics/errors.h"
#include "hydraulics/sweep.h"
#include "project/regionalnumber.h"

#include <QLocale>

namespace windows {

std::string InputSubject(int caseNo, int index) {
    const hydraulics::Quantity& q = hydraulics::Case(caseNo).inputNames.at(std::size_t(index));
    return "基本资料表中的" + std::string(q.caption) + " " + std::string(q.display);
}

SweepBase ReadSweepBase(int caseNo, const std::array<QString, 8>& texts) {
    SweepBase base;
    const QLocale locale; // the user's regional format
    for (std::size_t k = 0; k < texts.size(); ++k) {
        const std::string subject = InputSubject(caseNo, int(k));
        try {
            base.stored[k] = project::ReadRegionalNumber(texts[k], locale, subject);
            base.typed[k] =
                hydraulics::ReadDecimal(project::RegionalDecimalText(texts[k], locale, subject));
        } catch (const hydraulics::CalcError& e) {
            base.stored[k].reset();
            base.problems[k] = QString::fromStdString(e.message());
        }
    }
    return base;
}

} // namespace windows
