// Work handed to another thread through Qt's event queue. The queue itself
// synchronises the two threads: whatever a thread did before it posts is seen
// by the thread that takes the post. Qt as the distribution builds it is not
// instrumented for ThreadSanitizer, which therefore cannot see that, and
// would report the handed-over work (its captures, the answer it writes back)
// as shared between threads without a lock. In a TSan build `Handed` tells
// it: the handing thread releases once the work is built, the running thread
// acquires before it runs and releases after, and whoever destroys the work
// acquires first. The caller of a blocking call acquires with `TakeOver` when
// the call returns. All handovers share one tag, as all posts share the one
// lock of Qt's queue. In other builds all of it compiles away.
#pragma once

#include <type_traits>
#include <utility>

#if defined(__SANITIZE_THREAD__)
#define LEXVANE_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define LEXVANE_THREAD_SANITIZER 1
#endif
#endif

#ifdef LEXVANE_THREAD_SANITIZER
#include <sanitizer/tsan_interface.h>
#endif

namespace lexvane::gui {

namespace handover_detail {
inline const char queueTag = 0;  // only its address is used
}

inline void HandOver() {
#ifdef LEXVANE_THREAD_SANITIZER
  __tsan_release(const_cast<char*>(&handover_detail::queueTag));
#endif
}

inline void TakeOver() {
#ifdef LEXVANE_THREAD_SANITIZER
  __tsan_acquire(const_cast<char*>(&handover_detail::queueTag));
#endif
}

template <class Work>
class Handed {
 public:
  explicit Handed(Work work) : work_(std::move(work)) { HandOver(); }
  Handed(const Handed& other) : work_(other.work_) { HandOver(); }
  Handed(Handed&& other) noexcept(std::is_nothrow_move_constructible_v<Work>)
      : work_(std::move(other.work_)) {
    HandOver();
  }
  Handed& operator=(const Handed&) = delete;
  ~Handed() { TakeOver(); }

  void operator()() {
    TakeOver();
    struct Done {
      ~Done() { HandOver(); }
    } done;
    work_();
  }

 private:
  Work work_;
};

template <class Work>
Handed<std::decay_t<Work>> Hand(Work&& work) {
  return Handed<std::decay_t<Work>>(std::forward<Work>(work));
}

}  // namespace lexvane::gui
