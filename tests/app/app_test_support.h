#pragma once

#include "calc_state.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

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

// A finished calculation of a hall with a round duct: 13 report lines.
inline CalcState HallRoundDuct()
{
    CalcState s;
    s.VentilatorName = "KALMO-160";
    s.AirDensity = 1.2;
    s.WindSpeed = 4.0;
    s.DuctRound = 1;
    s.DuctDiameter = 0.16;
    s.DuctRoughness = 1.8;
    s.IsHall = 1;
    s.DuctLength = 5.0;
    s.LossCoefficient = 0.5;
    s.FlowPerHour = 1800.0;
    s.VentilatorSuction = 3.7752;
    s.DuctVelocity = 2.1191;
    s.ResultsShown = 1;
    s.ResultsPrintable = 1;
    return s;
}

// A finished calculation of a building of 5 storeys of 3 m with a rectangular
// duct and grille: 18 report lines, the lowest on row 19.
inline CalcState BuildingRectangular()
{
    CalcState s = HallRoundDuct();
    s.DuctRound = 0;
    s.DuctSideA = 0.2;
    s.DuctSideB = 0.3;
    s.DuctDiameter = 0.24;
    s.IsHall = 0;
    s.InstallationType = 1;
    s.StoreyCount = 5;
    s.StoreyHeight = 3.0;
    s.GrilleSizeA = 0.2;
    s.GrilleSizeB = 0.25;
    s.LossCoefficient = 15.0;
    return s;
}
