// Runs a program and reports how long it took to print its first line and the most memory it held.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: kvb_run_stats PROGRAM [ARGUMENTS...]\n"
                     "prints first_line_ms, wall_ms, peak_rss_mb and exit_code of the run\n");
        return 2;
    }
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return 2;
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipeFds[1], 1);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        ::execv(argv[1], argv + 1);
        std::perror("exec");
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    double firstLineMs = -1.0;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(pipeFds[0], buffer, sizeof(buffer));
        if (n <= 0) break;
        if (firstLineMs < 0.0 && std::memchr(buffer, '\n', static_cast<size_t>(n))) {
            firstLineMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        }
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    const double wallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("first_line_ms=%.1f\n", firstLineMs);
    std::printf("wall_ms=%.1f\n", wallMs);
    // ru_maxrss is the child's high-water mark of resident memory (VmHWM), in kilobytes.
    std::printf("peak_rss_mb=%.1f\n", usage.ru_maxrss / 1024.0);
    std::printf("exit_code=%d\n", WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
    return 0;
}
