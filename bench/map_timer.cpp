// Starts a program and prints the wall time, in microseconds, from its exec to the first
// MapNotify of a top-level window on the X display, its peak memory (VmHWM, kB) then and
// two seconds later, when what it sets up after showing has run, and ends the program.
//   map_timer <program> [arguments...]
// Without a window manager every top-level window is a child of the root window, so
// watching the root's substructure sees the program's window the moment it is mapped.
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

long long nowUs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000LL + t.tv_nsec / 1000;
}

// The peak resident memory of a process so far, in kB; -1 when unknown.
long peakKb(pid_t pid)
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/status", int(pid));
    FILE *status = std::fopen(path, "r");
    if (!status)
        return -1;
    char line[256];
    long kb = -1;
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1)
            break;
    std::fclose(status);
    return kb;
}

void stop(pid_t child)
{
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: map_timer <program> [arguments...]\n");
        return 2;
    }
    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "map_timer: cannot open the X display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_generic_error_t *error =
        xcb_request_check(x, xcb_change_window_attributes_checked(x, root, XCB_CW_EVENT_MASK, &mask));
    if (error) {
        std::free(error);
        std::fprintf(stderr, "map_timer: cannot watch the root window\n");
        return 2;
    }

    const long long start = nowUs();
    const pid_t child = fork();
    if (child < 0)
        return 2;
    if (child == 0) {
        // The program's own messages would only interleave with the figures.
        if (const int quiet = open("/dev/null", O_WRONLY); quiet >= 0) {
            dup2(quiet, STDOUT_FILENO);
            dup2(quiet, STDERR_FILENO);
        }
        execvp(argv[1], argv + 1);
        _exit(127);
    }

    constexpr long long kTimeoutUs = 30'000'000;
    pollfd fd{xcb_get_file_descriptor(x), POLLIN, 0};
    for (;;) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(x)) {
            const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY &&
                                reinterpret_cast<xcb_map_notify_event_t *>(event)->event == root;
            std::free(event);
            if (mapped) {
                const long long us = nowUs() - start;
                const long atMap = peakKb(child);
                usleep(2000 * 1000);
                const long settled = peakKb(child);
                stop(child);
                std::printf("%lld %ld %ld\n", us, atMap, settled);
                return 0;
            }
        }
        if (xcb_connection_has_error(x))
            break;
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "map_timer: %s ended before mapping a window\n", argv[1]);
            return 1;
        }
        const long long left = kTimeoutUs - (nowUs() - start);
        if (left <= 0)
            break;
        // Woken by the display, or every 50 ms to see whether the program ended.
        if (poll(&fd, 1, int(std::min(left / 1000 + 1, 50LL))) < 0 && errno != EINTR)
            break;
    }
    stop(child);
    std::fprintf(stderr, "map_timer: no window mapped\n");
    return 1;
}
