#pragma once
// Running the content generator from tests, and checking what it wrote.
//
// ctest runs every test as its own process, several at once, so the small set that the read-only
// tests share is made once per build, under a lock, in the build folder; it is made again
// whenever the generator binary changes.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <opencv2/imgcodecs.hpp>
#include <string>
#include <vector>

#include "formats/flow_field_files.h"
#include "generator/catalogue.h"
#include "formats/point_cloud_file.h"

extern char** environ;

namespace contenttest {

namespace fs = std::filesystem;

inline std::string generatorPath() { return std::string(VELLUNA_BINARY_DIR) + "/content/velluna-content"; }

// Starts the generator with `args`, its output going to `logPath`. Returns its process id.
inline pid_t startGenerator(const std::vector<std::string>& args, const std::string& logPath) {
    std::vector<std::string> all = {generatorPath()};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Waits for the generator; its exit code, or -1 when it did not exit normally.
inline int waitGenerator(pid_t pid) {
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline int runGenerator(const std::vector<std::string>& args, const std::string& logPath) {
    return waitGenerator(startGenerator(args, logPath));
}

// The shared small set (see the top of this file); empty when it could not be made.
inline std::string sharedSmallSet() {
    const fs::path root = fs::path(VELLUNA_BINARY_DIR) / "content-test" / "small";
    fs::create_directories(root);
    const int lock = open((root.parent_path() / "lock").c_str(), O_CREAT | O_RDWR, 0644);
    flock(lock, LOCK_EX);
    const std::string stamp = std::to_string(fs::last_write_time(generatorPath()).time_since_epoch().count());
    std::string made;
    std::ifstream(root.parent_path() / "generator.stamp") >> made;
    std::vector<std::string> args = {"--small", "--out", root.string()};
    if (made != stamp) args.push_back("--force");
    const int rc = runGenerator(args, (root.parent_path() / "generator.log").string());
    if (rc == 0) std::ofstream(root.parent_path() / "generator.stamp") << stamp;
    flock(lock, LOCK_UN);
    close(lock);
    return rc == 0 ? root.string() : std::string();
}

// Checks that the file of a catalogue path is whole: empty when it is, else what is wrong.
// Formats we can read are read; any other file must at least not be empty.
inline std::string checkWholeFile(const fs::path& file) {
    std::error_code ec;
    const uintmax_t size = fs::file_size(file, ec);
    if (ec) return "cannot stat";
    const std::string name = file.filename().string(), ext = file.extension().string();
    if (name == "velocity.dat") return size == kVelocityBytes ? "" : "size " + std::to_string(size);
    if (name == "voronoimap.bin") {
        VoronoiMap map;
        std::string error;
        if (!readVoronoiMap(file.string(), map, error)) return error;
        return size == 8u + 4u * map.values.size() ? "" : "size does not match the header";
    }
    if (ext == ".sav") return size % 28 == 0 && size >= 80 * 28 ? "" : "size " + std::to_string(size);
    if (ext == ".ascbbcomp") {
        int32_t count = -1;
        std::ifstream(file, std::ios::binary).read(reinterpret_cast<char*>(&count), 4);
        return count >= 0 && size == 28u + 8u * static_cast<uintmax_t>(count) ? "" : "size does not match the count";
    }
    if (ext == ".tiff" || ext == ".jpg" || ext == ".png") return cv::imread(file.string(), cv::IMREAD_COLOR).empty() ? "does not decode" : "";
    return size > 0 ? "" : "empty";
}

}  // namespace contenttest
