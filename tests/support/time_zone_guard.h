#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

namespace testsupport {

// Sets the TZ variable (and tzset) for the object's lifetime and puts the
// previous value back afterwards.
class ScopedTimeZone {
  public:
    explicit ScopedTimeZone(const char *zone)
    {
        const char *old = std::getenv("TZ");
        hadZone_ = old != nullptr;
        if (hadZone_)
            oldZone_ = old;
        use(zone);
    }
    ~ScopedTimeZone()
    {
        if (hadZone_)
            setenv("TZ", oldZone_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone &) = delete;
    ScopedTimeZone &operator=(const ScopedTimeZone &) = delete;

    // Switches to another zone while the object lives.
    static void use(const char *zone)
    {
        setenv("TZ", zone, 1);
        tzset();
    }

  private:
    bool hadZone_ = false;
    std::string oldZone_;
};

} // namespace testsupport
