// The least any program can cost for ten wake-ups a second: a blocking read of
// a 0.1 s timerfd, no toolkit, no event loop. bench/app-cpu measures it beside
// the Qt floor and the application, so that what Qt itself charges shows.
#include <sys/timerfd.h>
#include <unistd.h>

#include <cstdint>

int main()
{
    const int fd = timerfd_create(CLOCK_MONOTONIC, 0);
    if (fd < 0)
        return 1;
    const itimerspec every{{0, 100'000'000}, {0, 100'000'000}};
    if (timerfd_settime(fd, 0, &every, nullptr) != 0)
        return 1;
    std::uint64_t expirations = 0;
    while (read(fd, &expirations, sizeof expirations) == sizeof expirations) {
    }
    return 1;
}
