#pragma once
// Runs a piece of window work on the thread that owns `context`: directly when the caller
// already is that thread (a blocking queued call to oneself would deadlock), otherwise
// through a blocking queued call, so the caller gets the answer and the order holds.

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <type_traits>
#include <utility>

namespace tarvelin::app {

template <typename F>
auto OnUiThread(QObject* context, F&& work) -> std::invoke_result_t<F&> {
  using Result = std::invoke_result_t<F&>;
  if (QThread::currentThread() == context->thread()) return work();
  if constexpr (std::is_void_v<Result>) {
    QMetaObject::invokeMethod(
        context, [&work] { work(); }, Qt::BlockingQueuedConnection);
  } else {
    Result result{};
    QMetaObject::invokeMethod(
        context, [&work, &result] { result = work(); }, Qt::BlockingQueuedConnection);
    return result;
  }
}

// Hands work to the UI thread without waiting for it.
template <typename F>
void PostToUiThread(QObject* context, F&& work) {
  QMetaObject::invokeMethod(context, std::forward<F>(work), Qt::QueuedConnection);
}

}  // namespace tarvelin::app
