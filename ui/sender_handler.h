#pragma once
// SenderHandler: an event handler that is told which control raised the event. It takes a callable
// with the sender as its one argument, or one with no arguments for handlers that do not need it.
// A control copied from a template takes the template's handlers over, and they are then told the
// copy, so that one handler serves every copy.

#include <concepts>
#include <cstddef>
#include <functional>
#include <utility>

namespace ui {

template <typename Sender>
class SenderHandler {
 public:
  SenderHandler() = default;
  SenderHandler(std::nullptr_t) {}
  template <typename Callable>
    requires std::invocable<Callable&, Sender&>
  SenderHandler(Callable callable) : call_(std::move(callable)) {}
  template <typename Callable>
    requires(std::invocable<Callable&> && !std::invocable<Callable&, Sender&>)
  SenderHandler(Callable callable)
      : call_([callable = std::move(callable)](Sender&) mutable { callable(); }) {}

  explicit operator bool() const { return static_cast<bool>(call_); }
  void operator()(Sender& sender) const { call_(sender); }

 private:
  std::function<void(Sender&)> call_;
};

}  // namespace ui
