// assetgen-media: makes the game's sound effects, music and videos from the texts in content/media.
//   assetgen-media <content/media folder> <game folder>   generate everything
//   assetgen-media --check <game folder>                  verify every file exists and decodes
//   assetgen-media --frame <storyboard> <seconds> <png> [en]   draw one video frame, to look at a scene
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "MediaCheck.h"
#include "MediaJobs.h"
#include "VideoMaker.h"

namespace {

struct Job {
    Job(std::string jobName, std::function<std::string()> work) : name(std::move(jobName)), run(std::move(work)) {}
    std::string name;
    std::function<std::string()> run;
    std::string report;
    std::string error;
    double cpuSeconds = 0.0;
};

// Runs the jobs on two threads (the build machines have two cores); each job writes its own files, so
// the results do not depend on which thread ran what. Reports are printed in job order afterwards.
bool RunJobs(std::vector<Job>& jobs, unsigned threads) {
    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t i = next++; i < jobs.size(); i = next++) {
            timespec start{}, end{};
            clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
            try {
                jobs[i].report = jobs[i].run();
            } catch (const std::exception& e) {
                jobs[i].error = e.what();
            }
            clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
            jobs[i].cpuSeconds = static_cast<double>(end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) * 1e-9;
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t) pool.emplace_back(worker);
    worker();
    for (auto& thread : pool) thread.join();
    bool ok = true;
    for (const auto& job : jobs) {
        std::printf("%s (%.1f s of processor time)\n%s", job.name.c_str(), job.cpuSeconds, job.report.c_str());
        if (!job.error.empty()) {
            std::fprintf(stderr, "assetgen-media: %s: %s\n", job.name.c_str(), job.error.c_str());
            ok = false;
        }
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--check") return media::CheckGameFolder(argv[2]) ? 0 : 1;
    if ((argc == 5 || argc == 6) && std::string(argv[1]) == "--frame") {
        try {
            media::WriteVideoFrame(argv[2], std::atof(argv[3]), argv[4], argc == 6 ? argv[5] : "");
            return 0;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "assetgen-media: %s\n", e.what());
            return 1;
        }
    }
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: assetgen-media <content/media> <game folder>\n"
                     "       assetgen-media --check <game folder>\n");
        return 2;
    }
    const auto started = std::chrono::steady_clock::now();
    const std::string content = argv[1];
    const std::string game = argv[2];
    std::vector<Job> jobs;
    try {
        // The videos take longest, so they start first and the other thread works through the rest.
        for (const auto& name : media::VideoNames(content)) {
            for (const auto& language : media::VideoLanguages(content, name)) {
                jobs.push_back({"video " + name + (language.empty() ? "" : " (" + language + ")"),
                                [=] { return media::MakeVideo(content, game, name, language); }});
            }
        }
        jobs.push_back({"sounds", [=] { return media::MakeSounds(content, game); }});
        for (int track = 0; track < 10; ++track)
            jobs.push_back({"track " + std::to_string(track), [=] { return media::MakeTrack(content, game, track); }});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen-media: %s\n", e.what());
        return 1;
    }
    bool ok = RunJobs(jobs, 2);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    double cpu = 0.0;
    for (const auto& job : jobs) cpu += job.cpuSeconds;
    std::printf("assetgen-media: %s in %.1f s (%.1f s of processor time on 2 threads)\n", ok ? "done" : "FAILED",
                seconds, cpu);
    return ok ? 0 : 1;
}
