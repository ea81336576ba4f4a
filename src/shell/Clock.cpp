#include "Clock.h"

#include <QElapsedTimer>

namespace Clock {
namespace {

std::function<QDateTime()> &source()
{
    static std::function<QDateTime()> s;
    return s;
}

} // namespace

QDateTime now() { return source() ? source()() : QDateTime::currentDateTime(); }

void set(std::function<QDateTime()> s) { source() = std::move(s); }

qint64 ticks()
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer.elapsed();
}

} // namespace Clock
