// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/outer_size.h"

#include <QEvent>
#include <QScreen>
#include <QScrollArea>
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

// Holds a window's content in a scroll area. A scroll area gives content whose
// height depends on its width (a wrapped label) its preferred height, which
// would scroll a window that has room for the content's minimum; the holder
// asks only for the minimum, and the content fills whatever room there is.
class ContentHolder : public QWidget {
public:
    explicit ContentHolder(QWidget* content)
        : content_(content)
    {
        content->setParent(this);
        content->installEventFilter(this);
    }

    QSize minimumSizeHint() const override { return content_->minimumSizeHint(); }
    QSize sizeHint() const override { return minimumSizeHint(); }

protected:
    void resizeEvent(QResizeEvent*) override { content_->setGeometry(rect()); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == content_ && event->type() == QEvent::LayoutRequest)
            updateGeometry();
        return false;
    }

private:
    QWidget* content_;
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

void ResizeWithinScreen(QWidget* window, QSize wanted)
{
    if (const QScreen* screen = window->screen())
        wanted = wanted.boundedTo(screen->availableGeometry().size() - kOriginalResizableFrame);
    window->resize(wanted);
}

QScrollArea* ScrollingArea(QWidget* content)
{
    auto* area = new QScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(new ContentHolder(content));
    return area;
}
