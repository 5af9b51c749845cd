// The order in which the reader keeps the poles: ascending imaginary part, poles with equal
// imaginary parts in the order the tools' exchange sort leaves them (not their file order).
#pragma once

#include <cstddef>
#include <vector>

namespace plots {

// The permutation that the exchange sort (for each i, for each j > i, swap when a[i] > a[j])
// applies to `keys`: result[k] is the index in `keys` of the value that ends at place k. Takes
// n log n steps where the exchange sort takes n squared. The keys must be ordered values (no NaN).
std::vector<std::size_t> ExchangeSortOrder(const std::vector<double>& keys);

}  // namespace plots
