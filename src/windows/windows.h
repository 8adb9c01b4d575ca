// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Tells the forms layer how to make each of Numora's nine windows.
void registerWindows();
