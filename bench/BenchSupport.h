// Timing and drawing targets shared by the benchmark's parts.
#pragma once

#include <windows.h>

#include <vector>

inline double NowMs() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

// Milliseconds per call of `frame`, after a warm-up of a tenth of the calls.
template <typename Frame> double MsPerFrame(int frames, Frame frame) {
    for (int i = 0; i < frames / 10 + 1; ++i)
        frame();
    GdiFlush();
    const double start = NowMs();
    for (int i = 0; i < frames; ++i)
        frame();
    GdiFlush();
    return (NowMs() - start) / frames;
}

// One line of a table: milliseconds at 1920 x 1080 and at 3840 x 2160.
struct BenchRow {
    const char* Name;
    double Ms[2];
};

// Writes the measurements of one column, row after row.
class ColumnWriter {
  public:
    ColumnWriter(std::vector<BenchRow>& rows, int column) : rows_(rows), column_(column) {}
    void Put(const char* name, double ms) {
        if (rows_.size() <= next_)
            rows_.push_back({name, {0, 0}});
        rows_[next_++].Ms[column_] = ms;
    }

  private:
    std::vector<BenchRow>& rows_;
    int column_;
    size_t next_ = 0;
};
