// SPDX-License-Identifier: GPL-3.0-or-later
//
// The program icon, the same on every window.
#pragma once

#include <QIcon>

namespace forms {

[[nodiscard]] QIcon programIcon();

} // namespace forms
