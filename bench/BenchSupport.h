#pragma once
// Small helpers the benchmarks share: timing samples, peak memory, waiting for a repaint.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <sys/resource.h>
#include <vector>

namespace bench {

inline double peakMegabytes()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0; // kilobytes on Linux
}

// The peak memory from here on: resetPeak() gives freed memory back and starts the peak at what
// the process holds then (Linux clear_refs), peakSinceResetMegabytes() reads it (VmHWM); call
// currentMegabytes() right after resetPeak() for the start. For the peak of one step, apart
// from what the benchmark itself did before it.
inline void resetPeak()
{
    malloc_trim(0); // memory freed before goes back first, so the peak counts only what is used
    if (FILE *f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

inline double statusMegabytes(const char *field)
{
    double kb = 0;
    if (FILE *f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        const size_t n = std::strlen(field);
        while (std::fgets(line, sizeof line, f))
            if (std::strncmp(line, field, n) == 0)
                kb = std::atof(line + n);
        std::fclose(f);
    }
    return kb / 1024.0;
}

inline double peakSinceResetMegabytes()
{
    return statusMegabytes("VmHWM:");
}

inline double currentMegabytes()
{
    return statusMegabytes("VmRSS:");
}

// Milliseconds of each repetition; percentiles by the nearest rank.
struct Samples
{
    std::vector<double> ms;
    void add(double v) { ms.push_back(v); }
    double percentile(double p) const
    {
        if (ms.empty())
            return 0;
        std::vector<double> s = ms;
        std::sort(s.begin(), s.end());
        const size_t rank = size_t(std::max(1.0, p / 100.0 * double(s.size()) + 0.5));
        return s[std::min(rank, s.size()) - 1];
    }
    double p50() const { return percentile(50); }
    double p99() const { return percentile(99); }
};

// Watches a widget for its next paint.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget *w) { w->installEventFilter(this); }
    void arm() { m_painted = false; }
    // Runs the event loop until the widget has been painted (at most two seconds).
    bool wait()
    {
        QElapsedTimer t;
        t.start();
        while (!m_painted && t.elapsed() < 2000)
            QCoreApplication::processEvents();
        return m_painted;
    }

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            m_painted = true;
        return false;
    }

private:
    bool m_painted = false;
};

// The sample at fraction `p` (0 to 1) of the way through the sorted samples, by the nearest index.
inline double percentileOf(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

// The middle sample; of an even count, the upper of the two middle ones.
inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

inline double msSince(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace bench
