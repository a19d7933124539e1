// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/dxfexport.h"

#include "project/savedfile.h"

#ifdef AMBRELO_CLI_DXF
#include "drawing/dxfdocument.h"
#include "hydraulics/errors.h"

#include <stdexcept>
#endif

namespace cli {

bool IsDxfName(const std::string& path) {
    return project::HasExtension(path, ".dxf");
}

#ifdef AMBRELO_CLI_DXF

std::string WriteDesignDxf(const DxfRequest& request, const hydraulics::Design& design) {
    if (!design.succeeded())
        return "计算没有成功，不写 DXF 文件。";
    try {
        const std::string text = drawing::DxfFileText(
            drawing::DesignDrawing(design, request.projectName, request.exaggeration));
        project::SaveAtomically(request.path, text);
    } catch (const hydraulics::CalcError& e) {
        return e.message();
    } catch (const std::invalid_argument& e) {
        return std::string(e.what()) + "DXF 文件没有写出。";
    }
    return {};
}

#else // built without the desktop program's drawing library

std::string WriteDesignDxf(const DxfRequest& /*request*/, const hydraulics::Design& /*design*/) {
    return "本程序构建时没有桌面程序的绘图库，不能写 DXF 文件。";
}

#endif

} // namespace cli
