#include "ProgressBar.h"

#include <unistd.h>

#include <algorithm>
#include <string>

namespace zvhost {

namespace {
constexpr int kWidth = 40;
}

ProgressBar::ProgressBar(std::FILE* stream, bool enabled)
    : stream_(stream), shown_(enabled && ::isatty(::fileno(stream)) != 0) {}

ProgressBar::~ProgressBar() {
    if (shown_ && drawnPercent_ >= 0) std::fputc('\n', stream_);
}

void ProgressBar::update(double fraction) {
    if (!shown_) return;
    const int percent = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * 100.0);
    if (percent == drawnPercent_) return;
    drawnPercent_ = percent;
    const int filled = percent * kWidth / 100;
    const std::string bar = std::string(static_cast<std::size_t>(filled), '#') +
                            std::string(static_cast<std::size_t>(kWidth - filled), '.');
    std::fprintf(stream_, "\rrendering [%s] %3d%%", bar.c_str(), percent);
    std::fflush(stream_);
}

}  // namespace zvhost
