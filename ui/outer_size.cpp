#include "ui/outer_size.h"

#include <QEvent>
#include <QWidget>
#include <QWindowStateChangeEvent>

namespace {

class OuterSizeKeeper : public QObject {
public:
    OuterSizeKeeper(QWidget* window, QSize outer)
        : QObject(window)
        , window_(window)
        , outer_(outer)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != window_)
            return false;
        switch (event->type()) {
        case QEvent::WindowStateChange: {
            const auto* change = static_cast<QWindowStateChangeEvent*>(event);
            if (change->oldState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
                pending_ = true;
            break;
        }
        case QEvent::Show:
        case QEvent::Expose:
        case QEvent::Move:
        case QEvent::Resize:
            Apply();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void Apply()
    {
        if (!pending_ || !window_->isVisible() ||
            (window_->windowState() &
             (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)))
            return;
        pending_ = false;
        window_->resize(ClientSize(outer_));
    }

    QWidget* window_;
    QSize outer_;
    bool pending_ = true;
};

} // namespace

QSize ClientSize(QSize outer)
{
    return outer - kOriginalResizableFrame;
}

void KeepOuterSize(QWidget* window, QSize outer)
{
    new OuterSizeKeeper(window, outer);
}
