#include "foundation/base/busy_cursor.h"

#include <utility>

namespace {

struct BusyState {
    BusyCursorHandler handler;
    int depth = 0;
};

BusyState &busyState()
{
    static BusyState state;
    return state;
}

} // namespace

void setBusyCursorHandler(BusyCursorHandler handler)
{
    busyState().handler = std::move(handler);
}

BusyCursor::BusyCursor()
{
    BusyState &state = busyState();
    if (state.depth++ == 0 && state.handler)
        state.handler(true);
}

BusyCursor::~BusyCursor()
{
    BusyState &state = busyState();
    if (--state.depth == 0 && state.handler) {
        try {
            state.handler(false);
        } catch (...) {
            // A cursor that cannot be restored must not hide the real outcome.
        }
    }
}
