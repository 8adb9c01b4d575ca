// SPDX-License-Identifier: GPL-3.0-or-later
// About texts as a careless or hostile deployer might set them.
#pragma once

namespace about {
inline constexpr char Credit[] = "<b>Numora</b> &amp; <i>friends</i>";
inline constexpr char Web[] = "<a href=\"https://example.org\">click</a>";
inline constexpr char Email[] = "<script>x</script>@example.org";
} // namespace about
