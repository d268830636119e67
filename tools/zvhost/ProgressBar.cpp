#include "ProgressBar.h"

#include <unistd.h>

#include <algorithm>
#include <string>

namespace zvhost {

namespace {
constexpr int kWidth = 40;
}

ProgressBar::ProgressBar(std::FILE* stream, bool enabled)
    : _stream(stream), _shown(enabled && ::isatty(::fileno(stream)) != 0) {}

ProgressBar::~ProgressBar() {
    if (_shown && _drawnPercent >= 0) std::fputc('\n', _stream);
}

void ProgressBar::update(double fraction) {
    if (!_shown) return;
    const int percent = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * 100.0);
    if (percent == _drawnPercent) return;
    _drawnPercent = percent;
    const int filled = percent * kWidth / 100;
    const std::string bar = std::string(static_cast<std::size_t>(filled), '#') +
                            std::string(static_cast<std::size_t>(kWidth - filled), '.');
    std::fprintf(_stream, "\rrendering [%s] %3d%%", bar.c_str(), percent);
    std::fflush(_stream);
}

}  // namespace zvhost
