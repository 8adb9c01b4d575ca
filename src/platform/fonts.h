// SPDX-License-Identifier: GPL-3.0-or-later
//
// The faces the windows were designed with, and the free faces that stand
// in for them where they are not installed.
#pragma once

#include <QFont>
#include <QString>

namespace forms {

// The windows ask for the faces they were designed with. Those are not free
// software and often not installed, so where one is missing it stands in
// for it, through Qt's substitution table and not whatever the machine's
// font configuration would pick, a free face of close metrics that Numora's
// set-up installs. Sizes in points are kept as asked.
struct FaceSubstitute {
    const char *face;
    const char *substitute;
};
inline constexpr FaceSubstitute FaceSubstitutes[] = {
    {"Verdana", "DejaVu Sans"},
    {"Comic Sans MS", "Comic Neue"},
    {"MS Sans Serif", "FreeSans"},
};

// Enters the substitutes above in Qt's table. Once, at start.
void substituteFaces();

[[nodiscard]] QFont font(const QString &face, double points, bool bold = false);
// The font of every control that has none of its own.
[[nodiscard]] QFont defaultFont();

} // namespace forms
