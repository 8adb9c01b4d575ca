// SPDX-License-Identifier: GPL-3.0-or-later
#include "trick/carddeck.h"
#include "trick/reply.h"

#include <QTest>

#include <set>
#include <sstream>

namespace {

// The numbers printed on card k, in the order printed.
std::vector<int> numbersOn(int k)
{
    std::istringstream in{std::string(CardDeck::grid(k))};
    std::vector<int> numbers;
    for (int n; in >> n;)
        numbers.push_back(n);
    return numbers;
}

std::set<int> distinctOn(int k)
{
    const auto numbers = numbersOn(k);
    return {numbers.begin(), numbers.end()};
}

} // namespace

class TrickTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { Reply::state() = Reply::TrickState{}; }

    void everyNumberLiesOnTheCardsThatSumToIt()
    {
        for (int n = 1; n <= 63; ++n) {
            int sum = 0;
            for (int k = 1; k <= 6; ++k) {
                if (distinctOn(k).count(n))
                    sum += CardDeck::weight(k);
            }
            QCOMPARE(sum, n <= 60 ? n : 0);
        }
    }

    void gridsAreAscendingWithOnlyTheKnownRepeats_data()
    {
        QTest::addColumn<int>("card");
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("repeat");
        QTest::newRow("Pick_1") << 1 << 30 << 0;
        QTest::newRow("Pick_2 repeats 13") << 2 << 30 << 13;
        QTest::newRow("Pick_3 has 29") << 3 << 29 << 0;
        QTest::newRow("Pick_4") << 4 << 30 << 0;
        QTest::newRow("Pick_5 repeats 31") << 5 << 30 << 31;
        QTest::newRow("Pick_6 repeats 46") << 6 << 30 << 46;
    }

    void gridsAreAscendingWithOnlyTheKnownRepeats()
    {
        QFETCH(int, card);
        QFETCH(int, entries);
        QFETCH(int, repeat);
        auto numbers = numbersOn(card);
        QCOMPARE(int(numbers.size()), entries);
        if (repeat) {
            QCOMPARE(numbers.back(), repeat);
            // The filler carries the card's own bit, so it never moves the answer.
            QVERIFY(repeat & CardDeck::weight(card));
            numbers.pop_back();
        }
        QVERIFY(std::is_sorted(numbers.begin(), numbers.end()));
        QCOMPARE(std::set<int>(numbers.begin(), numbers.end()).size(), numbers.size());
    }

    void gridsAreFiveRowsEachEndingInCrLf()
    {
        for (int k = 1; k <= 6; ++k) {
            const std::string grid(CardDeck::grid(k));
            QVERIFY(grid.size() > 2);
            QCOMPARE(grid.substr(grid.size() - 2), std::string("\r\n"));
            std::size_t rows = 0;
            for (std::size_t at = grid.find("\r\n"); at != std::string::npos;
                 at = grid.find("\r\n", at + 2))
                ++rows;
            QCOMPARE(rows, std::size_t{5});
            QCOMPARE(grid.find('\n'), grid.find("\r\n") + 1);
        }
    }

    void unknownCardsAreRefused()
    {
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, (void)CardDeck::weight(0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, (void)CardDeck::grid(7));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, Reply::state().toggleCard(7));
    }

    void toggleChangesOnlyItsOwnCard()
    {
        auto &state = Reply::state();
        state.setPage(3);
        state.AboutOpener = 5;
        for (int k = 1; k <= 6; ++k) {
            const auto before = state;
            state.toggleCard(k);
            for (int other = 1; other <= 6; ++other) {
                const auto expected
                    = other == k ? CardDeck::weight(k) : before.CardValue[other - 1];
                QCOMPARE(state.CardValue[other - 1], expected);
            }
            QCOMPARE(state.Page, std::int16_t{3});
            QCOMPARE(state.AboutOpener, std::int16_t{5});
            state.toggleCard(k);
            QCOMPARE(state.CardValue[k - 1], std::int16_t{0});
        }
    }

    void threeTogglesEndMarked()
    {
        auto &state = Reply::state();
        for (int i = 0; i < 3; ++i)
            state.toggleCard(2);
        QCOMPARE(state.CardValue[1], std::int16_t{4});
        QCOMPARE(state.chosenNumberText(), std::string("4"));
    }

    void resetClearsTheTrickButNotTheAboutOpener()
    {
        auto &state = Reply::state();
        state.setPage(6);
        state.toggleCard(1);
        state.toggleCard(6);
        state.AboutOpener = 4;
        state.reset();
        QCOMPARE(state.Page, std::int16_t{0});
        QCOMPARE(state.chosenNumber(), std::int16_t{0});
        QCOMPARE(state.AboutOpener, std::int16_t{4});
    }

    void chosenNumberText_data()
    {
        QTest::addColumn<int>("pattern");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing marked") << 0 << "0";
        // Pick_1, Pick_2 and Pick_4: 1 + 4 + 2.
        QTest::newRow("one digit") << 0b001011 << "7";
        QTest::newRow("all six") << 0b111111 << "63";
        // Pick_1, Pick_2 and Pick_6: 1 + 4 + 32.
        QTest::newRow("thirty-seven") << 0b100011 << "37";
    }

    void chosenNumberText()
    {
        QFETCH(int, pattern);
        QFETCH(QString, text);
        auto &state = Reply::state();
        // Bit k-1 of pattern marks card k (Pick_k), whatever its weight.
        for (int k = 1; k <= 6; ++k) {
            if (pattern & (1 << (k - 1)))
                state.toggleCard(k);
        }
        QCOMPARE(QString::fromStdString(state.chosenNumberText()), text);
    }

    void sumOutsideSixteenBitsIsAnError()
    {
        auto &state = Reply::state();
        state.CardValue.fill(30000);
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, (void)state.chosenNumber());
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, state.setPage(40000));
    }
};

QTEST_APPLESS_MAIN(TrickTest)
#include "trick_test.moc"
