#include "text/key_order.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <exception>
#include <thread>

namespace lexvane::text {

void KeyArena::Reserve(std::size_t keys, std::size_t bytes) {
  ends_.reserve(keys);
  bytes_.reserve(bytes);
}

void KeyArena::Add(std::string_view key) {
  bytes_.append(key);
  ends_.push_back(bytes_.size());
}

void KeyArena::Append(const KeyArena& other) {
  std::size_t base = bytes_.size();
  bytes_.append(other.bytes_);
  for (std::size_t end : other.ends_) ends_.push_back(base + end);
}

namespace {

struct Item {
  std::uint64_t prefix;  // first 8 key bytes, big-endian, zero-padded
  std::uint32_t index;
};

std::uint64_t prefixOf(std::string_view key) {
  unsigned char b[8] = {0, 0, 0, 0, 0, 0, 0, 0};
  std::memcpy(b, key.data(), std::min<std::size_t>(8, key.size()));
  std::uint64_t v = 0;
  for (unsigned char c : b) v = (v << 8) | c;
  return v;
}

}  // namespace

std::vector<std::uint32_t> OrderByKeys(const KeyArena& keys) {
  std::vector<Item> items(keys.Size());
  for (std::size_t i = 0; i < items.size(); ++i)
    items[i] = Item{prefixOf(keys.Key(i)), static_cast<std::uint32_t>(i)};
  std::sort(items.begin(), items.end(), [&keys](const Item& a, const Item& b) {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    int c = keys.Key(a.index).compare(keys.Key(b.index));
    if (c != 0) return c < 0;
    return a.index > b.index;  // equal keys: later rows first
  });
  std::vector<std::uint32_t> order(items.size());
  for (std::size_t k = 0; k < items.size(); ++k) order[k] = items[k].index;
  return order;
}

namespace {

bool numberBefore(const NumberKey& a, const NumberKey& b) {
  if (a.first != b.first) return a.first < b.first;
  if (a.second != b.second) return a.second < b.second;
  return a.index > b.index;  // equal numbers: later rows first
}

}  // namespace

std::vector<std::uint32_t> OrderByNumbers(std::vector<NumberKey> keys) {
  const std::size_t n = keys.size();
  std::vector<std::uint32_t> order(n);
  if (n < 100000) {
    std::sort(keys.begin(), keys.end(), numberBefore);
    for (std::size_t k = 0; k < n; ++k) order[k] = keys[k].index;
    return order;
  }
  // Each half sorted on its own thread, then one merge straight into the
  // permutation. The order is total (the index decides last), so the halves
  // merge into the one sorted sequence.
  const auto middle = keys.begin() + static_cast<std::ptrdiff_t>(n / 2);
  {
    std::jthread worker([&] { std::sort(middle, keys.end(), numberBefore); });
    std::sort(keys.begin(), middle, numberBefore);
  }
  auto a = keys.begin(), b = middle;
  for (std::size_t k = 0; k < n; ++k) {
    if (b == keys.end() || (a != middle && !numberBefore(*b, *a)))
      order[k] = (a++)->index;
    else
      order[k] = (b++)->index;
  }
  return order;
}

std::vector<std::uint32_t> RanksOf(const KeyArena& keys) {
  const std::vector<std::uint32_t> order = OrderByKeys(keys);
  std::vector<std::uint32_t> ranks(order.size());
  std::uint32_t rank = 0;
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (k > 0 && keys.Key(order[k]) != keys.Key(order[k - 1])) rank = static_cast<std::uint32_t>(k);
    ranks[order[k]] = rank;
  }
  return ranks;
}

bool ComputeKeys(std::size_t n, const std::function<std::string(std::size_t)>& key,
                 const std::function<bool(std::size_t done)>& step, KeyArena& out) {
  out = KeyArena();
  std::size_t half = n < 2000 ? n : n / 2;
  KeyArena second;
  std::atomic<std::size_t> secondDone{0};
  std::exception_ptr failure;
  // Leaving by an exception stops and joins the worker in its destructor,
  // before what it writes goes.
  std::jthread worker;
  if (half < n) {
    worker = std::jthread([&](std::stop_token stop) {
      try {
        second.Reserve(n - half, (n - half) * 24);
        for (std::size_t i = half; i < n && !stop.stop_requested(); ++i) {
          second.Add(key(i));
          if ((i - half) % 100 == 99) secondDone.store(i - half + 1, std::memory_order_relaxed);
        }
      } catch (...) {
        failure = std::current_exception();
      }
    });
  }
  bool cancelled = false;
  out.Reserve(n, n * 24);
  for (std::size_t i = 0; i < half; ++i) {
    if ((i + 1) % 100 == 0 && !step(i + 1 + secondDone.load(std::memory_order_relaxed))) {
      cancelled = true;
      break;
    }
    out.Add(key(i));
  }
  if (cancelled) worker.request_stop();
  if (worker.joinable()) worker.join();
  if (failure) std::rethrow_exception(failure);
  if (cancelled) {
    out = KeyArena();
    return false;
  }
  out.Append(second);
  return true;
}

std::string DescendingPrefix(std::int64_t value) {
  std::uint64_t v = ~static_cast<std::uint64_t>(value);
  std::string s(8, '\0');
  for (int i = 7; i >= 0; --i) {
    s[i] = static_cast<char>(v & 0xFF);
    v >>= 8;
  }
  return s;
}

std::string DescendingNumber(std::int64_t value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%012lld", static_cast<long long>(2147483647 - value));
  return buffer;
}

void AppendDescendingNumber(std::string& out, std::int64_t value) {
  const std::int64_t number = 2147483647 - value;
  if (number < 0 || number > 999999999999) {
    out += DescendingNumber(value);
    return;
  }
  char digits[12];
  std::uint64_t rest = static_cast<std::uint64_t>(number);
  for (int i = 11; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + rest % 10);
    rest /= 10;
  }
  out.append(digits, 12);
}

bool OrderRows(std::size_t n, const std::function<std::string(std::size_t)>& key,
               text::ProgressIndicator& progress, std::vector<std::uint32_t>& order) {
  KeyArena keys;
  const bool done = ComputeKeys(
      n, key,
      [&](std::size_t c) {
        progress.SetGauge(static_cast<int>(c * 100 / n));
        return !progress.Cancelled();
      },
      keys);
  if (done) order = OrderByKeys(keys);
  return done;
}

}  // namespace lexvane::text
