#include "RunGuarded.h"

#include "DbError.h"
#include "Prompter.h"

bool runGuarded(const std::function<void()> &work)
{
    try {
        work();
        return true;
    } catch (const DbError &e) {
        Prompter::instance().message(e.message(), Prompter::Kind::Error);
    } catch (const std::exception &e) {
        Prompter::instance().message(QString::fromLocal8Bit(e.what()), Prompter::Kind::Error);
    }
    return false;
}
