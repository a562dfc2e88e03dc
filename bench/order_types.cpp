// Times the ordering of many distinct word types by the collation: collation
// keys computed on two threads, then one sort of the keys.
//   order_types [TYPES]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

#include "text/collation.h"
#include "text/key_order.h"

int main(int argc, char** argv) {
  const lexvane::text::Collator collator = lexvane::text::Collator::FromEnvironment();
  const std::size_t n = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
  std::mt19937_64 random(7);
  std::unordered_set<std::string> seen;
  std::vector<std::string> words;
  while (words.size() < n) {
    std::string w;
    int length = 3 + static_cast<int>(random() % 9);
    for (int i = 0; i < length; ++i) w += static_cast<char>('a' + random() % 26);
    if (seen.insert(w).second) words.push_back(w);
  }
  auto start = std::chrono::steady_clock::now();
  lexvane::text::KeyArena keys;
  lexvane::text::ComputeKeys(
      n, [&words, &collator](std::size_t i) { return collator.Key(words[i]); },
      [](std::size_t) { return true; }, keys);
  auto keyed = std::chrono::steady_clock::now();
  std::vector<std::uint32_t> order = lexvane::text::OrderByKeys(keys);
  auto sorted = std::chrono::steady_clock::now();
  std::chrono::duration<double> keyTime = keyed - start, sortTime = sorted - keyed;
  std::printf("%zu %.3f %.3f %.3f\n", n, keyTime.count(), sortTime.count(),
              keyTime.count() + sortTime.count());
  return order.size() == n ? 0 : 1;
}
