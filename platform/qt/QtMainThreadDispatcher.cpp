#include "platform/qt/QtMainThreadDispatcher.h"

#include <QCoreApplication>
#include <QThread>
#include <cassert>

TQtMainThreadDispatcher::TQtMainThreadDispatcher() {
    assert(QCoreApplication::instance() &&
           QThread::currentThread() == QCoreApplication::instance()->thread());
}

void TQtMainThreadDispatcher::Post(std::function<void()> call) {
    queue_.Push(std::move(call));
    // The call itself stays in our queue, so ProcessMessages can run it even
    // when it is reached before the event loop gets to this wake-up.
    QMetaObject::invokeMethod(
        &receiver_, [this] { queue_.RunPending(); }, Qt::QueuedConnection);
}

void TQtMainThreadDispatcher::ProcessMessages() {
    assert(IsMainThread());
    const std::size_t servedBefore = queue_.Served();
    QCoreApplication::processEvents();
    queue_.RunPending();
    if (queue_.Served() != servedBefore) return;
    if (queue_.WaitForCall(std::chrono::milliseconds(1))) queue_.RunPending();
}
