// The pole order: ascending imaginary parts, equal ones as the tools' exchange sort leaves them.
#include "plots/data/PoleOrder.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace plots;

namespace {

// The exchange sort the tools run, on the indices of the keys.
std::vector<std::size_t> Exchanged(const std::vector<double>& keys)
{
    std::vector<double> k = keys;
    std::vector<std::size_t> order(keys.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    for (std::size_t i = 0; i < k.size(); ++i)
        for (std::size_t j = i + 1; j < k.size(); ++j)
            if (k[i] > k[j]) {
                std::swap(k[i], k[j]);
                std::swap(order[i], order[j]);
            }
    return order;
}

struct TieCase {
    const char* Name;
    std::vector<double> Keys;
    std::vector<std::size_t> Order;
};

const std::vector<TieCase> tieCases = {
    {"none", {}, {}},
    {"equal keys alone keep their order", {2, 2, 2}, {0, 1, 2}},
    {"a smaller key behind two equal ones reverses them", {1, 1, 0}, {2, 1, 0}},
    {"a smaller key between them leaves them", {1, 0, 1}, {1, 0, 2}},
    {"two smaller keys behind three equal ones turn them twice", {5, 5, 5, 1, 2}, {3, 4, 2, 0, 1}},
    {"descending with a tie", {3, 2, 2, 1}, {3, 2, 1, 0}},
    {"negative and positive zero are equal", {0.0, -0.0, -1}, {2, 1, 0}},
    {"ties at two values", {2, 1, 2, 1, 0}, {4, 3, 1, 0, 2}},
};

class PoleOrderTies : public ::testing::TestWithParam<TieCase> {};

TEST_P(PoleOrderTies, IsTheExchangeSortsOrder)
{
    const TieCase& c = GetParam();
    EXPECT_EQ(Exchanged(c.Keys), c.Order) << "the table itself";
    EXPECT_EQ(ExchangeSortOrder(c.Keys), c.Order);
}

INSTANTIATE_TEST_SUITE_P(Table, PoleOrderTies, ::testing::ValuesIn(tieCases),
                         [](const auto& info) {
                             std::string name;
                             for (const char* p = info.param.Name; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

// Many ties among few values, over lengths where every pattern of short files is met.
TEST(PoleOrder, MatchesTheExchangeSortOnRandomTies)
{
    std::mt19937 random(19);
    for (int round = 0; round < 3000; ++round) {
        std::vector<double> keys(std::size_t(random() % 40));
        const unsigned values = 1 + random() % 5;
        for (double& k : keys) k = double(random() % values) - 1;
        ASSERT_EQ(ExchangeSortOrder(keys), Exchanged(keys)) << "round " << round;
    }
}

}  // namespace
