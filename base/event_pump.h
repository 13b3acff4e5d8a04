#pragma once
// EventPump: what long work on the UI thread calls between its steps to let the waiting events run
// (a page fill, a sort, a settings search). It answers whether the work may go on: the events it ran
// may have asked the work to stop.

#include <functional>

namespace base {

using EventPump = std::function<bool()>;

}  // namespace base
