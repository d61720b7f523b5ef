// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// Helpers of the tests that drive real windows.

// Acts once on the first modal window of type W that becomes active (a modal
// exec() started by the code under test), polling every 10 ms for up to
// timeoutMs. The watch stops when it goes out of scope, so that it never acts
// on a window of a later test.
class ModalWatch {
public:
    explicit ModalWatch(QTimer* timer)
        : timer_(timer)
    {
    }
    ~ModalWatch() { delete timer_.data(); }
    ModalWatch(const ModalWatch&) = delete;
    ModalWatch& operator=(const ModalWatch&) = delete;

    bool acted() const { return acted_; }
    void markActed() { acted_ = true; }

private:
    QPointer<QTimer> timer_;
    bool acted_ = false;
};

template <typename W>
std::unique_ptr<ModalWatch> WhenModal(std::function<void(W*)> act, int timeoutMs = 10000)
{
    auto* timer = new QTimer(qApp);
    auto watch = std::make_unique<ModalWatch>(timer);
    ModalWatch* flag = watch.get();
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        *waited += 10;
        if (auto* window = qobject_cast<W*>(QApplication::activeModalWidget())) {
            timer->stop();
            flag->markActed();
            act(window);
        } else if (*waited > timeoutMs) {
            timer->stop();
        }
    });
    timer->start(10);
    return watch;
}

// A temporary directory made the working directory for as long as it lives;
// value files and print files land there, never in the source tree.
class TemporaryWorkingDirectory {
public:
    TemporaryWorkingDirectory()
        : previous_(QDir::currentPath())
    {
        QDir::setCurrent(directory_.path());
    }
    ~TemporaryWorkingDirectory() { QDir::setCurrent(previous_); }
    TemporaryWorkingDirectory(const TemporaryWorkingDirectory&) = delete;
    TemporaryWorkingDirectory& operator=(const TemporaryWorkingDirectory&) = delete;

    QString path() const { return directory_.path(); }
    bool isValid() const
    {
        return directory_.isValid() &&
               QDir::currentPath() == QDir(directory_.path()).canonicalPath();
    }
    QString filePath(const QString& name) const { return directory_.filePath(name); }
    // The names of the files and directories in it.
    QStringList entries() const
    {
        return QDir(directory_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

private:
    QString previous_;
    QTemporaryDir directory_;
};
