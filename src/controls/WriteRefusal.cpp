#include "WriteRefusal.h"

#include "DbError.h"

#include <exception>

namespace WriteRefusal {

std::optional<QString> of(const std::function<void()> &write)
{
    try {
        write();
    } catch (const DbError &e) {
        return e.message();
    } catch (const std::exception &e) {
        return QString::fromLocal8Bit(e.what());
    }
    return std::nullopt;
}

} // namespace WriteRefusal
