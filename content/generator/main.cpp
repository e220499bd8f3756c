// velluna-content: makes the show's content files.
//   velluna-content --out DIR [--small] [--only TEXT] [--force] [--jobs N] [--preview PDIR] [--list]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <time.h>
#include <unistd.h>

#include "generator/catalogue.h"

namespace fs = std::filesystem;
using content::Asset;
using content::Context;

namespace {

std::mutex printMutex;
std::atomic<int> finished{0};
size_t total = 0;

// CPU seconds this thread has used: an asset runs on one worker thread, so the difference
// over its make is its own cost, whatever else the machine is doing.
double threadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

void usage(FILE* to) {
    std::fprintf(to,
                 "usage: velluna-content --out DIR [--small] [--only TEXT] [--force] [--jobs N]\n"
                 "                       [--preview PDIR] [--list]\n"
                 "  --out DIR      the run tree (writes DIR/newresources/..., DIR/music/...)\n"
                 "  --small        the small, quick set for tests\n"
                 "  --only TEXT    only the files whose path contains TEXT\n"
                 "  --force        remake files that are up to date\n"
                 "  --jobs N       worker threads (default: the number of cores)\n"
                 "  --preview PDIR also render a look at each asset into PDIR\n"
                 "  --list         list the catalogue and exit\n");
    for (const content::Command& c : content::commands()) std::fprintf(to, "  %-14s %s\n", c.flag.c_str(), c.help.c_str());
}

std::string stampText(const Asset& a, const Context& ctx) {
    return std::to_string(a.version) + (ctx.small ? " small\n" : " full\n");
}

fs::path stampPath(const Context& ctx, const Asset& a) {
    std::string name = a.path;
    std::replace(name.begin(), name.end(), '/', '_');
    return fs::path(ctx.outRoot) / ".stamps" / (name + ".stamp");
}

bool upToDate(const Context& ctx, const Asset& a) {
    if (!fs::exists(fs::path(ctx.outRoot) / a.path)) return false;
    std::ifstream in(stampPath(ctx, a));
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return text == stampText(a, ctx);
}

void writeWhole(const fs::path& path, const std::string& text) {
    const fs::path tmp = path.string() + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary);
        out << text;
    }
    fs::rename(tmp, path);
}

// Makes one asset: writes it under a temporary name, then renames it into place. Any
// failure, the maker's or the file system's, is reported and leaves no file under the name.
bool makeAsset(const Context& ctx, const Asset& a) {
    const fs::path final = fs::path(ctx.outRoot) / a.path;
    const fs::path tmp = final.string() + ".part";
    const auto t0 = std::chrono::steady_clock::now();
    const double cpu0 = threadCpuSeconds();
    try {
        fs::create_directories(final.parent_path());
        a.make(ctx, tmp.string());
        if (!fs::exists(tmp)) throw std::runtime_error("nothing was written");
        fs::remove(stampPath(ctx, a));
        fs::rename(tmp, final);
        // The show writes a mesh's cache only when none exists: a new mesh needs a new cache.
        if (final.extension() == ".objb") fs::remove(final.string() + "comp");
        fs::create_directories(stampPath(ctx, a).parent_path());
        writeWhole(stampPath(ctx, a), stampText(a, ctx));
    } catch (const std::exception& e) {
        std::error_code ignored;
        fs::remove(tmp, ignored);
        std::lock_guard<std::mutex> lock(printMutex);
        std::fprintf(stderr, "content: FAILED %s: %s\n", a.path.c_str(), e.what());
        return false;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double cpu = threadCpuSeconds() - cpu0;
    std::error_code ignored;
    const uintmax_t bytes = fs::file_size(final, ignored);
    std::lock_guard<std::mutex> lock(printMutex);
    std::printf("content: [%d/%zu] wrote %s (%llu bytes, %.3f s, %.3f s cpu)\n", ++finished, total, a.path.c_str(),
                static_cast<unsigned long long>(bytes), seconds, cpu);
    std::fflush(stdout);
    return true;
}

// Holds the run tree for this run: a second generator on the same tree waits for the first
// (they would otherwise write the same temporary files).
int lockRunTree(const std::string& outRoot) {
    fs::create_directories(fs::path(outRoot) / ".stamps");
    const int fd = open((fs::path(outRoot) / ".stamps" / "lock").c_str(), O_CREAT | O_RDWR, 0644);
    if (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) != 0) {
        std::printf("content: another generator is writing %s; waiting for it\n", outRoot.c_str());
        std::fflush(stdout);
        flock(fd, LOCK_EX);
    }
    return fd;
}

}  // namespace

int main(int argc, char** argv) {
    Context ctx;
    std::string only;
    bool force = false;
    bool list = false;
    unsigned jobs = std::max(1u, std::thread::hardware_concurrency());
    std::vector<const content::Command*> toRun;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](const char* what) -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "velluna-content: %s needs %s\n", a.c_str(), what);
                usage(stderr);
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--out") ctx.outRoot = value("a folder");
        else if (a == "--small") ctx.small = true;
        else if (a == "--only") only = value("a text");
        else if (a == "--force") force = true;
        else if (a == "--list") list = true;
        else if (a == "--preview") ctx.previewDir = value("a folder");
        else if (a == "--jobs") jobs = static_cast<unsigned>(std::max(1, std::atoi(value("a number").c_str())));
        else if (a == "--help") { usage(stdout); return 0; }
        else {
            const content::Command* found = nullptr;
            for (const content::Command& c : content::commands()) if (c.flag == a) found = &c;
            if (found == nullptr) {
                std::fprintf(stderr, "velluna-content: unknown option '%s'\n", a.c_str());
                usage(stderr);
                return 2;
            }
            toRun.push_back(found);
        }
    }

    std::vector<const Asset*> todo;
    for (const Asset& a : content::catalogue()) {
        if (only.empty() || a.path.find(only) != std::string::npos) todo.push_back(&a);
    }
    std::sort(todo.begin(), todo.end(), [](const Asset* x, const Asset* y) {
        return x->cost != y->cost ? x->cost > y->cost : x->path < y->path;
    });
    if (list) {
        for (const Asset* a : todo) std::printf("%-48s v%d  ~%.1f s\n", a->path.c_str(), a->version, a->cost);
        return 0;
    }
    for (const content::Command* c : toRun) {
        const int rc = c->run(ctx);
        if (rc != 0) return rc;
    }
    if (!toRun.empty() && ctx.outRoot.empty()) return 0;
    if (ctx.outRoot.empty()) {
        std::fprintf(stderr, "velluna-content: --out is required\n");
        usage(stderr);
        return 2;
    }
    if (!ctx.previewDir.empty()) fs::create_directories(ctx.previewDir);
    const int runLock = lockRunTree(ctx.outRoot);
    total = todo.size();
    // A run that was killed leaves its temporary files behind; they are never read, but clear them.
    for (const Asset* a : todo) {
        std::error_code ignored;
        fs::remove(fs::path(ctx.outRoot) / (a->path + ".part"), ignored);
    }

    const auto t0 = std::chrono::steady_clock::now();
    std::atomic<size_t> next{0};
    std::atomic<int> made{0};
    std::atomic<int> skipped{0};
    std::atomic<int> failed{0};
    auto worker = [&] {
        for (size_t i = next++; i < todo.size(); i = next++) {
            const Asset& a = *todo[i];
            if (!force && upToDate(ctx, a)) {
                ++skipped;
                ++finished;
            } else if (makeAsset(ctx, a)) {
                ++made;
            } else {
                ++failed;
                continue;
            }
            if (!ctx.previewDir.empty() && a.preview) {
                // A preview that fails is reported; the file itself is already in place.
                try {
                    a.preview(ctx, (fs::path(ctx.outRoot) / a.path).string());
                } catch (const std::exception& e) {
                    std::lock_guard<std::mutex> lock(printMutex);
                    std::fprintf(stderr, "content: preview of %s failed: %s\n", a.path.c_str(), e.what());
                }
            }
        }
    };
    std::vector<std::thread> pool;
    for (unsigned j = 0; j < jobs; ++j) pool.emplace_back(worker);
    for (std::thread& t : pool) t.join();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (runLock >= 0) close(runLock);
    std::printf("content: %d made, %d up to date, %d failed (%s set, %.1f s)\n", made.load(), skipped.load(),
                failed.load(), ctx.small ? "small" : "full", seconds);
    return failed > 0 ? 1 : 0;
}
