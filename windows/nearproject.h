// SPDX-License-Identifier: GPL-3.0-or-later
// "已计算项目" under a name whose file is missing, while a file exists
// whose name differs only by blanks before or after it.
#pragma once

#include <QString>
#include <string>

class QWidget;

namespace windows {

// Where such a file exists, asks whether to open it (打开, the default, or
// 取消) and on 打开 sets `projectName` to its name. False when the user
// declines; true when there is nothing to ask or the user agrees.
bool OfferNearProject(QWidget* parent, const QString& windowName, std::string& projectName);

} // namespace windows
