#include "platform/sound/sound.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QByteArray>
#include <QCoreApplication>
#include <QIODevice>
#include <QMediaDevices>
#include <QThread>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/files/paths.h"
#include "platform/sound/wav.h"

namespace platform::sound {
namespace {

Recorder* activeRecorder = nullptr;

// Plays its samples once or round and round; the sink pulls from it on the sound thread.
class SampleSource : public QIODevice {
 public:
  SampleSource(QByteArray samples, bool loop) : samples_(std::move(samples)), loop_(loop) {
    open(QIODevice::ReadOnly);
  }
  bool isSequential() const override { return true; }
  qint64 bytesAvailable() const override {
    return loop_ ? samples_.size() : samples_.size() - position_;
  }

 protected:
  qint64 readData(char* out, qint64 max) override {
    qint64 done = 0;
    while (done < max && !samples_.isEmpty()) {
      if (position_ == samples_.size()) {
        if (!loop_) break;
        position_ = 0;
      }
      const qint64 n = std::min(max - done, qint64(samples_.size()) - position_);
      std::copy_n(samples_.constData() + position_, n, out + done);
      position_ += n;
      done += n;
    }
    return done;
  }
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  QByteArray samples_;
  bool loop_;
  qint64 position_ = 0;
};

// The audio output, living on the sound thread. Every request carries a number; the UI thread
// waits for "finished" of the number it started when it plays synchronously.
class Output : public QObject {
 public:
  void start(std::uint64_t number, const WavData& wav, bool loop) {
    halt();
    QAudioFormat format;
    format.setChannelCount(wav.channels);
    format.setSampleRate(wav.sampleRate);
    format.setSampleFormat(wav.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(format)) return finish(number);
    source_ = std::make_unique<SampleSource>(
        QByteArray(reinterpret_cast<const char*>(wav.samples.data()), qsizetype(wav.samples.size())),
        loop);
    sink_ = std::make_unique<QAudioSink>(device, format);
    number_ = number;
    QObject::connect(sink_.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
      if (state == QAudio::IdleState || (state == QAudio::StoppedState && sink_ &&
                                         sink_->error() != QAudio::NoError))
        finish(number_);
    });
    sink_->start(source_.get());
  }

  void halt() {
    if (sink_) {
      sink_->disconnect(this);
      sink_->stop();
      finish(number_);
    }
    sink_.reset();
    source_.reset();
  }

  void finish(std::uint64_t number);

 private:
  std::unique_ptr<QAudioSink> sink_;
  std::unique_ptr<SampleSource> source_;
  std::uint64_t number_ = 0;
};

class Channel {
 public:
  static Channel& instance() {
    static Channel channel;
    return channel;
  }

  // Returns the request's number.
  std::uint64_t start(std::shared_ptr<const WavData> wav, bool loop) {
    const std::uint64_t number = ++lastStarted_;
    if (ensureThread())
      QMetaObject::invokeMethod(output_, [this, number, wav, loop] { output_->start(number, *wav, loop); });
    else
      markFinished(number);
    return number;
  }

  void halt() {
    ++lastStarted_;
    markFinished(lastStarted_);
    if (output_) QMetaObject::invokeMethod(output_, [this] { output_->halt(); });
  }

  void waitFor(std::uint64_t number, int maxMs) {
    std::unique_lock lock(mutex_);
    finishedChanged_.wait_for(lock, std::chrono::milliseconds(maxMs),
                              [&] { return lastFinished_ >= number; });
  }

  void markFinished(std::uint64_t number) {
    {
      std::lock_guard lock(mutex_);
      lastFinished_ = std::max(lastFinished_, number);
    }
    finishedChanged_.notify_all();
  }

 private:
  bool ensureThread() {
    if (output_) return true;
    if (!QCoreApplication::instance()) return false;
    thread_ = new QThread;
    thread_->setObjectName("sound");
    output_ = new Output;
    output_->moveToThread(thread_);
    thread_->start();
    // The thread must end before the application object goes, since the sink depends on it.
    qAddPostRoutine([] { instance().shutDown(); });
    return true;
  }

  void shutDown() {
    if (!thread_) return;
    QMetaObject::invokeMethod(output_, [this] { output_->halt(); delete output_; },
                              Qt::BlockingQueuedConnection);
    thread_->quit();
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    output_ = nullptr;
  }

  QThread* thread_ = nullptr;
  Output* output_ = nullptr;
  std::uint64_t lastStarted_ = 0;  // UI thread only
  std::mutex mutex_;
  std::condition_variable finishedChanged_;
  std::uint64_t lastFinished_ = 0;
};

void Output::finish(std::uint64_t number) { Channel::instance().markFinished(number); }

// The real file a caller's name stands for, or empty.
std::string findSoundFile(const std::string& name) {
  if (name.empty()) return {};
  for (const std::string& candidate : {name, name + ".wav"}) {
    const std::string real = files::resolvePath(candidate);
    if (files::fileExists(real)) return real;
  }
  return {};
}

}  // namespace

bool play(const std::string& path, Mode mode) {
  const std::string real = findSoundFile(path);
  std::optional<WavData> wav;
  if (!real.empty()) wav = readWav(real);
  if (activeRecorder) {
    activeRecorder->events_.push_back({Event::Kind::Play, path, mode, wav.has_value()});
    return wav.has_value();
  }
  if (!wav) {
    // A new request cuts the current sound even when its own file is missing.
    Channel::instance().halt();
    return false;
  }
  const int length = wav->lengthMs();
  const auto shared = std::make_shared<const WavData>(std::move(*wav));
  const std::uint64_t number = Channel::instance().start(shared, mode == Mode::Loop);
  if (mode == Mode::Sync) Channel::instance().waitFor(number, length);
  return true;
}

void stop() {
  if (activeRecorder) {
    activeRecorder->events_.push_back({Event::Kind::Stop, {}, Mode::Async, false});
    return;
  }
  Channel::instance().halt();
}

int lengthMs(const std::string& path) {
  const std::string real = findSoundFile(path);
  if (real.empty()) return -1;
  const auto wav = readWav(real);
  return wav ? wav->lengthMs() : -1;
}

Recorder::Recorder() : previous_(activeRecorder) { activeRecorder = this; }
Recorder::~Recorder() { activeRecorder = previous_; }

std::vector<std::string> Recorder::played() const {
  std::vector<std::string> names;
  for (const Event& e : events_)
    if (e.kind == Event::Kind::Play) names.push_back(e.path);
  return names;
}

}  // namespace platform::sound
