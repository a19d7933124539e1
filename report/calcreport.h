// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation report (计算书) of one case, composed once and written
// as a PDF (A4, searchable text, fonts embedded, figures as vectors, pages
// numbered "第 N 页 共 M 页") or as an editable ODT document (figures as
// pictures), chosen by the file's extension.
//
// Qt Gui only: the caller provides the QGuiApplication (the fonts need it).
#pragma once

#include "report/reportcontent.h"

#include <optional>
#include <string>

namespace report {

enum class ReportFormat { Pdf, Odt };

// The format `path` asks for by its extension, .pdf or .odt in any case;
// empty for any other name.
std::optional<ReportFormat> ReportFormatOf(const std::string& path);

// Writes `content` to `path`. The file appears whole or not at all: it is
// made in memory, written to a temporary file beside `path` and renamed.
// Throws hydraulics::CalcError (FileAccess, naming `path`) when it cannot
// be written.
void WriteReport(const ReportContent& content, const std::string& path, ReportFormat format);

// Composes the report of `request` and writes it to `path` in the format
// of its extension. A failed calculation throws its hydraulics::CalcError
// or hydraulics::NotConverged before any file is touched; an extension
// other than .pdf or .odt throws std::invalid_argument.
void WriteReport(const ReportRequest& request, const std::string& path);

} // namespace report
