// SPDX-License-Identifier: GPL-3.0-or-later
#include "reply.h"

#include "carddeck.h"

#include <limits>
#include <stdexcept>

namespace Reply {

namespace {

std::int16_t checkedNarrow(int value, const char *what)
{
    if (value < std::numeric_limits<std::int16_t>::min()
        || value > std::numeric_limits<std::int16_t>::max())
        throw std::overflow_error(what);
    return static_cast<std::int16_t>(value);
}

} // namespace

void TrickState::reset()
{
    Page = 0;
    CardValue.fill(0);
}

void TrickState::toggleCard(int k)
{
    auto &value = CardValue[CardDeck::index(k)];
    value = value == 0 ? CardDeck::weight(k) : std::int16_t{0};
}

void TrickState::setPage(int n)
{
    Page = checkedNarrow(n, "page number out of range");
}

std::int16_t TrickState::chosenNumber() const
{
    std::int16_t sum = 0;
    for (const auto value : CardValue)
        sum = checkedNarrow(sum + value, "sum of card values overflows");
    return sum;
}

std::string TrickState::chosenNumberText() const
{
    return std::to_string(chosenNumber());
}

TrickState &state()
{
    static TrickState record;
    return record;
}

} // namespace Reply
