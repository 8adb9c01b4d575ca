// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The six cards in the order they are shown: the weight each adds to the
// answer and the grid printed on it. The grids are kept as the exact text the
// card windows print, irregular spacing and repeats included, rather than
// generated, because that text is what the user sees.
namespace CardDeck {

struct Card {
    std::int16_t weight;
    std::string_view grid;
};

inline constexpr std::array<Card, 6> Cards{{
    {1, "1   3   5   7   9  11\r\n"
        "13 15 17 19 21 23\r\n"
        "25 27 29 31 33 35\r\n"
        "37 39 41 43 45 47\r\n"
        "49 51 53 55 57 59\r\n"},
    {4, "4  5  6  7  12  13\r\n"
        "14 15 20 21 22 23\r\n"
        "28 29 30 31 36 37\r\n"
        "38 39 44 45 46 47\r\n"
        "52 53 54 55 60 13\r\n"},
    {8, "8 9 10 11 12 13\r\n"
        "14 15 24 25 26 27\r\n"
        "28 29 30 31 40 41\r\n"
        "42 43 44 45 46 47\r\n"
        "56 57 58 59 60\r\n"},
    {2, "2  3  6  7  10  11\r\n"
        "14 15 18 19 22 23\r\n"
        "26 27 30 31 34 35\r\n"
        "38 39 42 43 46 47\r\n"
        "50 51 54 55 58 59\r\n"},
    {16, "16 17 18 19 20 21\r\n"
         "22 23 24 25 26 27\r\n"
         "28 29 30 31 48 49\r\n"
         "50 51 52 53 54 55\r\n"
         "56 57 58 59 60 31\r\n"},
    {32, "32 33 34 35 36 37\r\n"
         "38 39 40 41 42 43\r\n"
         "44 45 46 47 48 49\r\n"
         "50 51 52 53 54 55\r\n"
         "56 57 58 59 60 46\r\n"},
}};

// k is the card window's page number, 1..6; anything else throws.
[[nodiscard]] std::size_t index(int k);
[[nodiscard]] std::int16_t weight(int k);
[[nodiscard]] std::string_view grid(int k);

} // namespace CardDeck
