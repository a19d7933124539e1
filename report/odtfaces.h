// SPDX-License-Identifier: GPL-3.0-or-later
// The faces of the report's ODT, declared as a Chinese office expects them:
// Western text in "Times New Roman" (a Latin serif; LibreOffice stands its
// metric twin Liberation Serif in for it), Chinese text in a 宋体-class
// serif (SimSun, else AR PL UMing CN or Noto Serif CJK SC, whichever is
// installed where the report is written), the headings' Chinese in a
// 黑体-class sans (SimHei, else WenQuanYi Zen Hei or Noto Sans CJK SC).
// Each face names its generic family, so that an office suite lacking it
// takes a face of the right kind, and none lets it fall back to a Japanese
// face for the Chinese text.
#pragma once

#include <QString>

namespace report {

// <office:font-face-decls> with the faces below, for content.xml and
// styles.xml alike (both declare the svg namespace).
QString FontFaceDecls();

// The text-properties attributes of body text and of headings: the face
// of each script by its declared name.
QString BodyFaceAttributes();
QString HeadingFaceAttributes();

// A sign the Latin serifs lack, in a face that has it: the family the
// document builder sets such a sign in (kSignFamily), and its attributes.
inline const QString kSignFamily = QStringLiteral("DejaVu Serif");
QString SignFaceAttributes();
bool IsSign(QChar c);

} // namespace report
