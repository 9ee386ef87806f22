// A method bound to its object, and the two event types the application and the frame
// timer raise. Used by every layer that raises or handles events.
#pragma once

#include <memory>
#include <type_traits>
#include <utility>

// A method bound to its object, or nothing. Copying and calling never allocate, which
// matters because the frame timer raises events on every turn of the message loop.
// The bound object must outlive the binding.
template <class... Args>
class BoundMethod {
 public:
  constexpr BoundMethod() noexcept = default;

  // BoundMethod<...>::Bind<&TForm1::PowerTimer1Render>(this)
  template <auto Method, class T>
  static BoundMethod Bind(T* object) noexcept {
    return BoundMethod(object, [](void* target, Args... args) {
      (static_cast<T*>(target)->*Method)(std::forward<Args>(args)...);
    });
  }

  // Binds a callable object (a lambda the caller keeps alive, say). Only lvalues, so that
  // a temporary cannot be bound and left dangling.
  template <class F>
  requires(!std::is_const_v<F>) static BoundMethod Bind(F& callable) noexcept {
    return BoundMethod(std::addressof(callable), [](void* target, Args... args) {
      (*static_cast<F*>(target))(std::forward<Args>(args)...);
    });
  }

  explicit operator bool() const noexcept { return call_ != nullptr; }
  const void* Target() const noexcept { return target_; }

  void operator()(Args... args) const { call_(target_, std::forward<Args>(args)...); }

 private:
  using Trampoline = void (*)(void*, Args...);
  BoundMethod(void* target, Trampoline call) noexcept : target_(target), call_(call) {}

  void* target_ = nullptr;
  Trampoline call_ = nullptr;
};

// A handler with the object that raised the event as its only argument.
using TNotifyEvent = BoundMethod<void*>;
// The idle handler also gets the loop's "done" flag: left true, the loop waits for the
// next message; set false, the loop calls idle again as soon as the queue is empty.
using TIdleEvent = BoundMethod<void*, bool&>;
