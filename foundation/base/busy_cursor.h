#pragma once

#include <functional>

// The application's busy cursor, shown while a blocking operation runs. The
// screen layer installs a handler at start-up; without one nothing is shown.
// The handler is called with true when the outermost BusyCursor starts and
// with false when it ends, so nested operations show one busy period and the
// previous cursor comes back at the end, also when the operation fails.

using BusyCursorHandler = std::function<void(bool busy)>;

// Replaces the handler (an empty one removes it).
void setBusyCursorHandler(BusyCursorHandler handler);

class BusyCursor {
  public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};
