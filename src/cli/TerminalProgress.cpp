#include "cli/TerminalProgress.h"

#include <cstdio>
#include <unistd.h>

namespace {
constexpr int BarWidth = 40;
}

TerminalProgress::TerminalProgress() : terminal_(isatty(STDERR_FILENO) != 0) {}

void TerminalProgress::reset(int maximum) { maximum_ = maximum; }

void TerminalProgress::advance(int position, qint64 bytes)
{
    if (!terminal_ || maximum_ <= 0) return;
    const int filled = static_cast<int>(qint64(position) * BarWidth / maximum_);
    std::fprintf(stderr, "\r[%.*s%*s] %lld bytes", filled, "########################################",
                 BarWidth - filled, "", static_cast<long long>(bytes));
    std::fflush(stderr);
    drawn_ = true;
}

void TerminalProgress::close()
{
    if (drawn_) std::fputc('\n', stderr);
    drawn_ = false;
}
