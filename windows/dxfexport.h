// SPDX-License-Identifier: GPL-3.0-or-later
// "导出 DXF" of the section window and the connection window: the save
// dialog and the writing of the CAD drawings, a failure told in a message.
#pragma once

#include "drawing/dxfdocument.h"

#include <QString>

class QWidget;

namespace windows {

// Asks where to save the drawings, offering `baseName`.dxf in the current
// folder ("渡槽一断面.dxf"); a name typed without .dxf gets it. Empty when
// the dialog is cancelled.
QString AskDxfPath(QWidget* parent, const QString& baseName);

// Writes `drawing` to `path`, whole or not at all. A failure is told in a
// message titled after `windowTitle`, naming the file and the reason in
// Chinese; false then, and an existing file is left as it was.
bool WriteDxfFile(QWidget* parent, const QString& windowTitle, const QString& path,
                  const drawing::DxfDrawing& drawing);

} // namespace windows
