#pragma once

#include <QString>

// What a window command that can fail gives back: nothing when it did what it
// was asked, otherwise the reason, in Polish, for the user. True when it
// succeeded.
class [[nodiscard]] Outcome {
public:
    Outcome() = default;
    static Outcome Failure(QString reason);

    bool Failed() const { return failed_; }
    explicit operator bool() const { return !failed_; }
    // Empty when the command succeeded.
    const QString& Reason() const { return reason_; }

private:
    bool failed_ = false;
    QString reason_;
};

// ShowOutcome (ui/show_message.h) tells the user the reason.
