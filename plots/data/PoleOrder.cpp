#include "plots/data/PoleOrder.h"

#include <algorithm>
#include <numeric>

namespace plots {

namespace {

// Counts over places 0..n-1: marks, counts before a place, and the k-th unmarked place.
class Counts {
public:
    explicit Counts(std::size_t n) : tree_(n + 1, 0) {}
    void Add(std::size_t place, int by)
    {
        for (std::size_t i = place + 1; i < tree_.size(); i += i & (~i + 1)) tree_[i] += by;
    }
    // The marks at places before `place`.
    int Before(std::size_t place) const
    {
        int sum = 0;
        for (std::size_t i = place; i > 0; i -= i & (~i + 1)) sum += tree_[i];
        return sum;
    }
    // The place of the (k+1)-th mark, counting from 0.
    std::size_t Nth(int k) const
    {
        std::size_t at = 0;
        std::size_t step = 1;
        while (step * 2 < tree_.size()) step *= 2;
        for (; step > 0; step /= 2)
            if (at + step < tree_.size() && tree_[at + step] <= k) {
                at += step;
                k -= tree_[at];
            }
        return at;
    }

private:
    std::vector<int> tree_;
};

}  // namespace

// How the exchange sort treats equal keys. Pass i puts the first occurrence of the smallest
// remaining key at place i; the chain of ever smaller keys it passed moves one link on, each
// into the next one's place. Seen from the keys no larger than some v, every pass does the same
// to their own subsequence, so the order of the keys equal to v depends only on where the
// smaller keys stand between them: each smaller key, when a v is at the front, sends that v to
// the smaller key's place, past the other v's before it. For the v's this is a queue: each
// smaller key turns it by one (front to back), each v joins at the back where it stands in the
// file. The turns and joins fix at which index each v is inserted into a growing list; the
// list is then rebuilt from the last insertion back into the free places.
std::vector<std::size_t> ExchangeSortOrder(const std::vector<double>& keys)
{
    const std::size_t n = keys.size();
    std::vector<std::size_t> byKey(n);
    std::iota(byKey.begin(), byKey.end(), std::size_t{0});
    std::stable_sort(byKey.begin(), byKey.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });

    std::vector<std::size_t> order;
    order.reserve(n);
    Counts smaller(n);  // the places of the keys already passed (all smaller than the current)
    std::vector<std::size_t> insertAt, group;
    for (std::size_t first = 0; first < n;) {
        std::size_t last = first + 1;
        while (last < n && !(keys[byKey[first]] < keys[byKey[last]])) ++last;
        group.assign(byKey.begin() + std::ptrdiff_t(first), byKey.begin() + std::ptrdiff_t(last));
        if (group.size() == 1) {
            order.push_back(group[0]);
        } else {
            // The queue as a list with a front index: a turn moves the front on, a join inserts
            // just before the front.
            insertAt.clear();
            std::size_t size = 0, front = 0, from = 0;
            for (std::size_t place : group) {
                const int turns = smaller.Before(place) - smaller.Before(from);
                if (size > 0) front = (front + std::size_t(turns)) % size;
                insertAt.push_back(front);
                ++size;
                ++front;
                from = place + 1;
            }
            front = (front + std::size_t(smaller.Before(n) - smaller.Before(from))) % size;

            std::vector<std::size_t> list(size);
            Counts free(size);
            for (std::size_t k = 0; k < size; ++k) free.Add(k, 1);
            for (std::size_t k = size; k-- > 0;) {
                const std::size_t slot = free.Nth(int(insertAt[k]));
                list[slot] = group[k];
                free.Add(slot, -1);
            }
            order.insert(order.end(), list.begin() + std::ptrdiff_t(front), list.end());
            order.insert(order.end(), list.begin(), list.begin() + std::ptrdiff_t(front));
        }
        for (std::size_t place : group) smaller.Add(place, 1);
        first = last;
    }
    return order;
}

}  // namespace plots
