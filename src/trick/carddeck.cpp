// SPDX-License-Identifier: GPL-3.0-or-later
#include "carddeck.h"

#include <stdexcept>

namespace CardDeck {

std::size_t index(int k)
{
    if (k < 1 || k > static_cast<int>(Cards.size()))
        throw std::out_of_range("card number outside 1..6");
    return static_cast<std::size_t>(k - 1);
}

namespace {
const Card &card(int k)
{
    return Cards[index(k)];
}
} // namespace

std::int16_t weight(int k)
{
    return card(k).weight;
}

std::string_view grid(int k)
{
    return card(k).grid;
}

} // namespace CardDeck
