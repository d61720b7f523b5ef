#include "files/outcome.h"

#include <utility>

Outcome Outcome::Failure(QString reason)
{
    Outcome outcome;
    outcome.failed_ = true;
    outcome.reason_ = std::move(reason);
    return outcome;
}
