#pragma once

#include <functional>
#include <memory>

class TQuibMail;

// TQuibMailThread: sends a copy of a mail on a worker thread of its own, which
// frees the copy and itself when done. One process-wide lock lets one
// threaded send run at a time; the others wait for it and run in the order
// they were started (the order of the Enviar calls that made them).
//
// The copy's events run on the main thread: each relay hands the saved
// handler to the main-thread dispatcher and waits until it has run, so a
// handler must not wait for the worker. The exception relay shows the error
// to the saved OnMailException and then discards it whatever the handler
// answers: nothing is raised in the worker, the send just ends.

// Runs a call on the main thread (the application installs a queued call of
// its event loop; tests pump a queue of their own). Without one, relays run
// the handlers on the worker itself.
using MainThreadDispatcher = std::function<void(std::function<void()> call)>;
void setMailMainThreadDispatcher(MainThreadDispatcher dispatcher);

class TQuibMailThread {
  public:
    // Starts the worker with the mail it takes over; raises
    // EQuibMailException "MailToClone not specified" without one.
    static void start(std::unique_ptr<TQuibMail> mail);
};
