// SPDX-License-Identifier: GPL-3.0-or-later
//
// The trick engine: the one record that every window shares, and the card
// deck it is computed from. Plain C++ with no toolkit, so it can be tested
// and reasoned about on its own.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace Reply {

inline constexpr int CardCount = 6;

// Shared by all windows for the whole run; every field starts at zero.
struct TrickState {
    std::int16_t Page = 0;
    std::array<std::int16_t, CardCount> CardValue{};
    std::int16_t AboutOpener = 0;

    // Back to the start of a trick. AboutOpener belongs to the About window's
    // bookkeeping, not to the trick, so it is left alone.
    void reset();

    // Card k (1..6) flips between unmarked (0) and its weight. The stored
    // value is the truth; it follows the check box because every change of
    // the box raises exactly one toggle.
    void toggleCard(int k);

    void setPage(int n);

    // Sum of the card values in card order, in 16-bit signed arithmetic;
    // throws std::overflow_error if it would leave that range.
    [[nodiscard]] std::int16_t chosenNumber() const;
    [[nodiscard]] std::string chosenNumberText() const;
};

// The program-wide record.
[[nodiscard]] TrickState &state();

} // namespace Reply
