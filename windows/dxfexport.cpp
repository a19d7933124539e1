// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/dxfexport.h"

#include "hydraulics/errors.h"
#include "project/savedfile.h"
#include "windows/windowprinter.h"

#include <QFileDialog>
#include <QMessageBox>
#include <stdexcept>

namespace windows {

QString AskDxfPath(QWidget* parent, const QString& baseName) {
    QString offered = PdfPathFor(baseName); // the current folder, a name files may have
    offered.chop(4);
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("导出 DXF"),
                                                offered + QStringLiteral(".dxf"),
                                                QStringLiteral("DXF 图形 (*.dxf)"));
    if (!path.isEmpty() && !path.endsWith(QStringLiteral(".dxf"), Qt::CaseInsensitive))
        path += QStringLiteral(".dxf");
    return path;
}

bool WriteDxfFile(QWidget* parent, const QString& windowTitle, const QString& path,
                  const drawing::DxfDrawing& drawing) {
    QString failure;
    try {
        project::SaveAtomically(path.toStdString(), drawing::DxfFileText(drawing));
        return true;
    } catch (const hydraulics::CalcError& e) {
        failure = QString::fromStdString(e.message()) +
                  QStringLiteral("\nDXF 文件没有写出，原有文件保持不变。");
    } catch (const std::exception& e) { // a section that cannot be drawn, out of memory
        failure = QString::fromUtf8(e.what()) + QStringLiteral("\n文件：") + path;
    }
    QMessageBox::warning(parent, windowTitle + QStringLiteral(" - 无法导出 DXF"), failure);
    return false;
}

} // namespace windows
