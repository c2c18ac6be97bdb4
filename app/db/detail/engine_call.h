#pragma once

// Access to the client library and translation of its failures; implemented
// in engine_call.cpp (calls and the master interface) and engine_error.cpp
// (status vectors to DatabaseError).

#include "app/db/db_error.h"

#include <firebird/Interface.h>

#include <string>
#include <utility>

namespace db::detail {

// The client library's master interface. The first call prepares the
// Firebird environment (firebird_root.h) and arranges for the engine to be
// shut down when the process exits.
Firebird::IMaster *master();

// What an error message can name.
struct ErrorContext {
    std::string file;   // the database address
    std::string column; // the column a value was meant for
};

// A DatabaseError for an engine status vector.
DatabaseError translateStatus(const Firebird::IStatus *status, const ErrorContext &context);

// Runs `call(Firebird::ThrowStatusWrapper *)` and turns an engine failure
// into a DatabaseError.
template <class Call> auto engineCall(const ErrorContext &context, Call &&call)
{
    Firebird::ThrowStatusWrapper status(master()->getStatus());
    struct Disposer {
        Firebird::ThrowStatusWrapper &s;
        ~Disposer() { s.dispose(); }
    } disposer{status};
    try {
        return std::forward<Call>(call)(&status);
    } catch (const Firebird::FbException &e) {
        throw translateStatus(e.getStatus(), context);
    }
}

// Releases a reference-counted interface (or disposes of a disposable one)
// when it goes out of scope.
template <class I> class Ref {
  public:
    Ref() = default;
    explicit Ref(I *p) : p_(p) {}
    Ref(Ref &&o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    Ref &operator=(Ref &&o) noexcept
    {
        if (this != &o) {
            reset();
            p_ = std::exchange(o.p_, nullptr);
        }
        return *this;
    }
    ~Ref() { reset(); }
    I *get() const { return p_; }
    I *operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void reset(I *p = nullptr)
    {
        if (p_) {
            if constexpr (requires { p_->release(); })
                p_->release();
            else
                p_->dispose();
        }
        p_ = p;
    }
    I *detach() { return std::exchange(p_, nullptr); }

  private:
    I *p_ = nullptr;
};

} // namespace db::detail
