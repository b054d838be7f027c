// The settings lookup against the size of the file: every lookup reads the file from its start,
// so its cost should grow linearly with the bytes in front of the wanted key.
//
// Each file holds filler lines of the [Common] section (key lines and comments that match no
// wanted key), then the seven real keys at its end. bytes_per_second counts every byte that the
// lookups read; its inverse is the cost per byte, which should be about equal at every size. The
// file stays in the page cache, so this measures the scanning, not the disk.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>

#include "BenchOptions.h"
#include "settings/ReadSetting.h"
#include "settings/Settings.h"

namespace bench {
namespace {

constexpr const char* kWantedKeys =
    "ComNumber=1\nBaudRate=57600\nInitServiceModeDelay=10\nSensorsUpdateDelay=1\n"
    "[Debug]\nDoTrace=No\nTraceFile=trace.log\nLogFile=output.log\n";
// ReadAllSettings makes this many lookups, each over the whole file or nearly.
constexpr int kLookupsPerReadAll = 7;

// The generated files, one per size, removed when the program ends.
class SettingsFiles {
  public:
    ~SettingsFiles() {
        std::error_code ignored;
        if (!folder_.empty()) {
            std::filesystem::remove_all(folder_, ignored);
        }
    }

    // A file of `bytes` bytes (give or take one line) ending with the wanted keys.
    const std::filesystem::path& OfSize(int64_t bytes) {
        auto found = files_.find(bytes);
        if (found != files_.end()) {
            return found->second;
        }
        if (folder_.empty()) {
            std::string pattern =
                (std::filesystem::temp_directory_path() / "corvane-bench-ini-XXXXXX").string();
            if (mkdtemp(pattern.data()) == nullptr) {
                throw std::runtime_error("cannot create a temporary folder");
            }
            folder_ = pattern;
        }
        const auto path = folder_ / ("settings-" + std::to_string(bytes) + ".ini");
        WriteFile(path, bytes);
        return files_.emplace(bytes, path).first->second;
    }

  private:
    static void WriteFile(const std::filesystem::path& path, int64_t bytes) {
        std::string text = "[Common]\n";
        const std::string tail = kWantedKeys;
        char line[64];
        for (int n = 0; static_cast<int64_t>(text.size() + tail.size()) < bytes; ++n) {
            const char* format = n % 4 == 3 ? "; filler comment number %06d\n"
                                            : "FillerKey%06d=filler value of this line\n";
            std::snprintf(line, sizeof line, format, n);
            text += line;
        }
        text += tail;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush()) {
            throw std::runtime_error("cannot write " + path.string());
        }
    }

    std::filesystem::path folder_;
    std::map<int64_t, std::filesystem::path> files_;
};

SettingsFiles& Files() {
    static SettingsFiles files;
    return files;
}

void BM_ReadSetting(benchmark::State& state) {
    try {
        const auto& path = Files().OfSize(state.range(0));
        const auto fileBytes = static_cast<int64_t>(std::filesystem::file_size(path));
        for (auto _ : state) {
            auto value =
                settings::ReadSetting(path.c_str(), "Common", "SensorsUpdateDelay", "5", "I");
            benchmark::DoNotOptimize(value);
        }
        state.SetBytesProcessed(state.iterations() * fileBytes);
        state.counters["file_bytes"] = static_cast<double>(fileBytes);
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
    }
}

void BM_ReadAllSettings(benchmark::State& state) {
    try {
        const auto& path = Files().OfSize(state.range(0));
        const auto fileBytes = static_cast<int64_t>(std::filesystem::file_size(path));
        for (auto _ : state) {
            auto values = settings::ReadAllSettings(path.c_str());
            benchmark::DoNotOptimize(values);
        }
        state.SetBytesProcessed(state.iterations() * fileBytes * kLookupsPerReadAll);
        state.counters["file_bytes"] = static_cast<double>(fileBytes);
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
    }
}

}  // namespace

void RegisterSettingsBenchmarks(const BenchOptions& /*options*/) {
    for (auto* bench : {
             benchmark::RegisterBenchmark("BM_ReadSetting", BM_ReadSetting),
             benchmark::RegisterBenchmark("BM_ReadAllSettings", BM_ReadAllSettings),
         }) {
        bench->Arg(1'000)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Arg(10'000'000);
        bench->Unit(benchmark::kMicrosecond);
    }
}

}  // namespace bench
