// A one-line progress bar on stderr, redrawn in place; shown only on a terminal.
#pragma once

#include <cstdio>

namespace zvhost {

class ProgressBar {
public:
    // Draws nothing unless `enabled` and the stream is a terminal.
    ProgressBar(std::FILE* stream, bool enabled);
    ~ProgressBar();

    void update(double fraction);

private:
    std::FILE* _stream;
    bool _shown;
    int _drawnPercent = -1;
};

// Files shorter than this render too fast for a bar to be worth drawing.
constexpr double kProgressMinimumSeconds = 30.0;

}  // namespace zvhost
