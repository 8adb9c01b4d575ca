// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace windows {

// Tells the forms layer how to make each of Numora's nine windows.
void registerWindows();

} // namespace windows
