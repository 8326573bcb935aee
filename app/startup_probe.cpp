#include "app/startup_probe.h"

#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kalvet {

bool StartupProbeActive() {
    return std::getenv("KALVET_BENCH_T0") != nullptr && std::getenv("KALVET_BENCH_OUT") != nullptr;
}

void RecordFirstPaint() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const char* t0Text = std::getenv("KALVET_BENCH_T0");
    const char* out = std::getenv("KALVET_BENCH_OUT");
    if (t0Text == nullptr || out == nullptr) return;
    std::int64_t t0 = 0;
    if (std::from_chars(t0Text, t0Text + std::strlen(t0Text), t0).ec != std::errc()) return;
    const auto elapsedNs = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() - t0;
    // to_chars, not printf: the toolkit may have switched the process to a comma locale.
    char line[64];
    auto end = std::to_chars(line, line + sizeof line - 1, static_cast<double>(elapsedNs) / 1e6,
                             std::chars_format::fixed, 3).ptr;
    *end++ = '\n';
    if (std::FILE* f = std::fopen(out, "ab")) {
        std::fwrite(line, 1, static_cast<std::size_t>(end - line), f);
        std::fclose(f);
    }
}

}  // namespace kalvet
