#include "session/page_token.h"

#include <QCoreApplication>
#include <QJSEngine>
#include <QJSValue>
#include <QString>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "net/codec.h"
#include "net/endpoints.h"
#include "net/text.h"

namespace tarvelin {

namespace {

// Count of byte c among the single-byte characters of text (double-byte characters of
// code page 936 may carry '[' or ']' as their second byte).
int CountCharacter(const Text& text, char c) {
  int count = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x81 && byte <= 0xFE && i + 1 < text.size()) {
      ++i;
      continue;
    }
    if (text[i] == c) ++count;
  }
  return count;
}

// Interrupts the engine when the evaluation outlasts the time limit.
class Watchdog {
 public:
  Watchdog(QJSEngine& engine, int timeoutMs)
      : thread_([this, &engine, timeoutMs] {
          std::unique_lock<std::mutex> lock(mutex_);
          if (!changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                 [this] { return done_; })) {
            engine.setInterrupted(true);
          }
        }) {}
  ~Watchdog() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      done_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool done_ = false;
  std::thread thread_;  // last: starts once the members above exist
};

}  // namespace

Text RewritePageScript(const Text& script) {
  const Text s = TextReplace(TextReplace(script, "[]", "DA"), "{}", "DO");
  Text r;
  int pos = 1;
  for (;;) {
    const int k = TextFind(s, ")[", pos);
    if (k < 0) break;
    const int m = k + 2;
    int t = TextFind(s, "]", m);
    Text inner;
    while (t > 0) {
      inner = TextMid(s, m, t - m);
      if (CountCharacter(inner, '[') == CountCharacter(inner, ']')) break;
      t = TextFind(s, "]", t + 1);
    }
    if (t < 0) break;  // never closed: the rest stays as it is
    r += TextMid(s, pos, k - pos + 1) + ".substr(" + inner + ",1)";
    pos = t + 1;
  }
  if (pos <= static_cast<int>(s.size())) r += TextMid(s, pos, static_cast<int>(s.size()) - pos + 1);
  return TextReplace(TextReplace(r, "DA", "[]"), "DO", "{}");
}

Text PageTokenProgram(const Text& script) {
  Text program = "location = 'url'\r\nfunction x(){\r\n\treturn js;\r\n}";
  program = TextReplace(program, "url", Text("http://") + endpoints::SpaceSiteHost + "/");
  return TextReplace(program, "js", RewritePageScript(script));
}

Text EvaluatePageToken(const Text& pageScript, int timeoutMs) {
  if (!QCoreApplication::instance()) return Text();
  const Bytes program = TextToUtf8(PageTokenProgram(pageScript));
  QJSEngine engine;
  QJSValue result;
  {
    Watchdog watchdog(engine, timeoutMs);
    const QJSValue loaded =
        engine.evaluate(QString::fromUtf8(program.data(), static_cast<qsizetype>(program.size())));
    if (loaded.isError()) return Text();
    result = engine.globalObject().property(QStringLiteral("x")).call();
  }
  if (engine.isInterrupted() || result.isError() || result.isUndefined() || result.isNull()) {
    return Text();
  }
  const QByteArray utf8 = result.toString().toUtf8();
  return Utf8ToText(Bytes(utf8.constData(), static_cast<size_t>(utf8.size())));
}

}  // namespace tarvelin
