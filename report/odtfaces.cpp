// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/odtfaces.h"

#include <QFontDatabase>
#include <QStringList>

namespace report {
namespace {

struct Face {
    const char* name;    // the declared name the text refers to
    QStringList choices; // the first installed is named; none: the first
    const char* generic; // roman (serif) or swiss (sans)
};

// The face of `f` to name: the first of its choices installed here. An
// office suite takes only the one family a face names (LibreOffice looks
// no further down a list), so the document names one that exists where
// it is written; elsewhere the suite stands in a face of its generic
// family. The single-face files come before the collections of Noto CJK,
// whose first face (Japanese) LibreOffice 7.4 embeds in a PDF.
QString Family(const Face& f) {
    for (const QString& family : f.choices)
        if (QFontDatabase::hasFamily(family))
            return family;
    return f.choices.front();
}

const Face& FaceOf(int k) {
    static const Face faces[] = {
        {"Times New Roman", {QStringLiteral("Times New Roman")}, "roman"},
        {"宋体",
         {QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"),
          QStringLiteral("Noto Serif CJK SC")},
         "roman"},
        {"黑体",
         {QStringLiteral("SimHei"), QStringLiteral("WenQuanYi Zen Hei"),
          QStringLiteral("Noto Sans CJK SC")},
         "swiss"},
        // Signs the Latin serifs lack (∇).
        {"DejaVu Serif", {QStringLiteral("DejaVu Serif")}, "roman"},
    };
    return faces[k];
}
constexpr int kFaceCount = 4;

} // namespace

bool IsSign(QChar c) {
    // ∇; the minus sign, whose stroke Liberation Serif draws too thin to
    // leave a dark pixel at 9 pt and 144 dpi.
    return c == QChar(0x2207) || c == QChar(0x2212);
}

QString FontFaceDecls() {
    QString decls = QStringLiteral("<office:font-face-decls>");
    for (int k = 0; k < kFaceCount; ++k) {
        const Face& f = FaceOf(k);
        decls +=
            QStringLiteral("<style:font-face style:name=\"%1\" svg:font-family=\"&apos;%2&apos;\" "
                           "style:font-family-generic=\"%3\" style:font-pitch=\"variable\"/>")
                .arg(QString::fromUtf8(f.name), Family(f), QString::fromUtf8(f.generic));
    }
    return decls + QStringLiteral("</office:font-face-decls>");
}
QString BodyFaceAttributes() {
    return QStringLiteral("style:font-name=\"Times New Roman\" style:font-name-asian=\"宋体\" "
                          "style:font-name-complex=\"Times New Roman\"");
}

QString SignFaceAttributes() {
    // LibreOffice takes ∇ for an Asian sign: the face for every script.
    return QStringLiteral("style:font-name=\"DejaVu Serif\" style:font-name-asian=\"DejaVu Serif\" "
                          "style:font-name-complex=\"DejaVu Serif\"");
}

QString HeadingFaceAttributes() {
    return QStringLiteral("style:font-name=\"Times New Roman\" style:font-name-asian=\"黑体\" "
                          "style:font-name-complex=\"Times New Roman\"");
}

} // namespace report
