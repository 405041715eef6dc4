// Ini engine: many reads from one file, and parsing a large file.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <string>

#include "platform/files.h"
#include "platform/ini.h"

namespace {

constexpr int kSections = 200;
constexpr int kKeysPerSection = 100;  // 20,000 keys

std::string section_name(int s) { return "Section" + std::to_string(s); }
std::string key_name(int k) { return "Key" + std::to_string(k); }

// A generated ini file in the temporary folder, removed at the end.
class GeneratedIni {
public:
    explicit GeneratedIni(int value_length) {
        path_ = make_temp_file("", "halvoren_ini_bench_" + std::to_string(value_length) + "_");
        std::string text;
        const std::string value(value_length, 'v');
        for (int s = 0; s < kSections; ++s) {
            text += "[" + section_name(s) + "]\r\n";
            for (int k = 0; k < kKeysPerSection; ++k) text += key_name(k) + "=" + value + "\r\n";
            text += "\r\n";
        }
        write_file(path_, text);
    }
    ~GeneratedIni() { DeleteFile(path_); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

void BM_ReadAllKeys(benchmark::State& state) {
    const GeneratedIni file(16);
    ini_cache_clear();
    const IniFile ini(file.path());
    for (auto _ : state) {
        std::size_t total = 0;
        for (int s = 0; s < kSections; ++s) {
            const std::string section = section_name(s);
            for (int k = 0; k < kKeysPerSection; ++k) total += ini.ReadString(section, key_name(k), "").size();
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * kSections * kKeysPerSection);
}
BENCHMARK(BM_ReadAllKeys)->Unit(benchmark::kMillisecond);

// About 5 MB: parsed again on every iteration.
void BM_LoadLargeFile(benchmark::State& state) {
    const GeneratedIni file(240);
    for (auto _ : state) {
        ini_cache_clear();
        const IniFile ini(file.path());
        benchmark::DoNotOptimize(ini.ReadString(section_name(kSections - 1), key_name(0), ""));
    }
    state.SetBytesProcessed(state.iterations() * file_byte_size(file.path()));
}
BENCHMARK(BM_LoadLargeFile)->Unit(benchmark::kMillisecond);

}  // namespace
