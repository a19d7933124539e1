// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/reportexport.h"

#include "project/savedfile.h"

#ifdef AMBRELO_CLI_REPORT
#include "cli/guisession.h"
#include "hydraulics/errors.h"
#include "report/calcreport.h"
#endif

namespace cli {

bool IsReportFileName(const std::string& path) {
    return project::HasExtension(path, ".pdf") || project::HasExtension(path, ".odt");
}

#ifdef AMBRELO_CLI_REPORT

std::string WriteCalcReport(const std::string& path, const std::string& projectName, int caseNumber,
                            const std::array<float, 8>& inputs,
                            const hydraulics::DesignConditions& conditions,
                            const project::ReportIdentity& identity,
                            const std::optional<hydraulics::ConnectionInput>& connection) {
    const GuiSession session;
    if (!session.ready())
        return "无法写计算书：程序中已有非图形界面的 Qt 应用对象。";
    try {
        report::ReportRequest request{
            projectName, caseNumber, inputs,     conditions.increasePercent,
            identity,    {},         connection, conditions};
        request.region = conditions.region;
        report::WriteReport(request, path);
    } catch (const hydraulics::CalcError& e) {
        return e.message();
    } catch (const hydraulics::NotConverged& e) {
        return e.message();
    }
    return {};
}

#else // built without the desktop program's libraries

std::string WriteCalcReport(const std::string& /*path*/, const std::string& /*projectName*/,
                            int /*caseNumber*/, const std::array<float, 8>& /*inputs*/,
                            const hydraulics::DesignConditions& /*conditions*/,
                            const project::ReportIdentity& /*identity*/,
                            const std::optional<hydraulics::ConnectionInput>& /*connection*/) {
    return "本程序构建时没有桌面程序的绘图库，不能写计算书。";
}

#endif

} // namespace cli
