// SPDX-License-Identifier: GPL-3.0-or-later
// About texts as a careless or hostile deployer might set them, in place of
// the built-in ones.
#include "windows/abouttexts.h"

namespace about {
const char Credit[] = "<b>Numora</b> &amp; <i>friends</i>";
const char Web[] = "<a href=\"https://example.org\">click</a>";
const char Email[] = "<script>x</script>@example.org";
} // namespace about
