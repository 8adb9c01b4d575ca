// SPDX-License-Identifier: GPL-3.0-or-later
#include "host.h"

namespace forms {

Host &host()
{
    static Host current;
    return current;
}

} // namespace forms
