// ZeroedArray: a fixed-size array of trivially copyable elements that starts
// zeroed. Large ones are mapped from the system, so untouched pages cost
// nothing and the zeros come free, and asked for on huge pages, so that
// random lookups miss the address translation caches less often.
#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

namespace lexvane::ngrams {

// Raw zeroed memory of `bytes` (std::bad_alloc when there is none); `mapped`
// tells how to give it back.
void* AllocateZeroed(std::size_t bytes, bool& mapped);
void ReleaseZeroed(void* data, std::size_t bytes, bool mapped);

template <class T>
class ZeroedArray {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  ZeroedArray() = default;
  explicit ZeroedArray(std::size_t size) : size_(size) {
    data_ = static_cast<T*>(AllocateZeroed(size * sizeof(T), mapped_));
  }
  ~ZeroedArray() { ReleaseZeroed(data_, size_ * sizeof(T), mapped_); }
  ZeroedArray(ZeroedArray&& other) noexcept { swap(other); }
  ZeroedArray& operator=(ZeroedArray&& other) noexcept {
    swap(other);
    return *this;
  }
  ZeroedArray(const ZeroedArray&) = delete;
  ZeroedArray& operator=(const ZeroedArray&) = delete;

  void swap(ZeroedArray& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(mapped_, other.mapped_);
  }
  T& operator[](std::size_t i) { return data_[i]; }
  const T& operator[](std::size_t i) const { return data_[i]; }
  T* data() { return data_; }
  const T* data() const { return data_; }
  std::size_t size() const { return size_; }
  std::size_t bytes() const { return size_ * sizeof(T); }

 private:
  T* data_ = nullptr;
  std::size_t size_ = 0;
  bool mapped_ = false;
};

}  // namespace lexvane::ngrams
