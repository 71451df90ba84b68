#include "sound/mcidevice.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

#include "common/messagebox.h"
#include "sound/mcielements.h"

namespace {

// Answers are cut to the length of the answer buffer callers expect.
constexpr int kMaxAnswer = 255;
// "open ... wait" gives up on a file that does not finish loading.
constexpr int kLoadTimeoutMs = 10000;
const QString kHoverAlias = QStringLiteral("zvk-hover");

bool is(const QString& word, const char* keyword) { return word.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0; }

// Splits a command into words; a double-quoted part is one word (without its quotes).
bool splitCommand(const QString& command, QStringList& words) {
  QString word;
  bool inWord = false;
  for (qsizetype i = 0; i < command.size(); ++i) {
    const QChar c = command[i];
    if (c == QLatin1Char('"')) {
      const qsizetype end = command.indexOf(QLatin1Char('"'), i + 1);
      if (end < 0) return false;
      word += command.mid(i + 1, end - i - 1);
      inWord = true;
      i = end;
    } else if (c.isSpace()) {
      if (inWord) words << word;
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words << word;
  return true;
}

// A non-negative number; false when the word is none.
bool readNumber(const QString& word, qint64& value) {
  bool ok = false;
  value = word.toLongLong(&ok);
  return ok && value >= 0;
}

}  // namespace

MciDevice::MciDevice(QObject* parent) : QObject(parent) {}

MciDevice::~MciDevice() { closeAll(); }

MciDevice& MciDevice::shared() {
  static MciDevice* device = nullptr;
  if (!device) {
    device = new MciDevice;
    // Players must go before the application object and its audio backends.
    qAddPostRoutine([] {
      delete device;
      device = nullptr;
    });
  }
  return *device;
}

QString MciDevice::Send(const QString& command, Report report) {
  QStringList words;
  QString answer;
  int error = MciError::None;
  if (!splitCommand(command, words)) error = MciError::NoClosingQuote;
  else if (words.isEmpty()) error = MciError::UnrecognizedCommand;
  else error = execute(words, answer);
  if (error != MciError::None) {
    if (report != Report::Silent)
      ShowMessage(MciError::ErrorText(error), report == Report::Stop ? MessageKind::Stop : MessageKind::Information);
    return ErrorAnswer(error);
  }
  return answer.left(kMaxAnswer);
}

void MciDevice::PlaySoundAsync(const QString& path) {
  close(kHoverAlias);
  if (!QFileInfo(path).isFile()) return;
  const QString answer = Send(QStringLiteral("open \"") + path + QStringLiteral("\" alias ") + kHoverAlias, Report::Silent);
  if (answer.startsWith(QLatin1String("Error"))) return;
  Send(QStringLiteral("play ") + kHoverAlias + QStringLiteral(" from 0"), Report::Silent);
}

bool MciDevice::IsOpen(const QString& alias) const { return devices_.contains(alias.toLower()); }

QStringList MciDevice::Aliases() const {
  QStringList aliases;
  for (const Device& d : devices_) aliases << d.alias;
  aliases.sort(Qt::CaseInsensitive);
  return aliases;
}

int MciDevice::execute(const QStringList& allWords, QString& answer) {
  const QString verb = allWords[0].toLower();
  // "wait" and "notify" may stand anywhere after the device name.
  QStringList words;
  bool wait = false, notify = false;
  for (qsizetype i = 0; i < allWords.size(); ++i) {
    if (i >= 2 && is(allWords[i], "wait")) wait = true;
    else if (i >= 2 && is(allWords[i], "notify")) notify = true;
    else words << allWords[i];
  }
  static const QStringList kVerbs = {"open", "play", "record", "stop", "seek", "set", "status", "save", "close"};
  if (!kVerbs.contains(verb)) return MciError::UnrecognizedCommand;
  if (words.size() < 2) return MciError::MissingDeviceName;
  if (verb == QLatin1String("open")) return open(words, wait, answer);
  if (verb == QLatin1String("close")) {
    if (is(words[1], "all")) {
      closeAll();
      return MciError::None;
    }
    if (!find(words[1])) return MciError::InvalidDeviceName;
    close(words[1].toLower());
    return MciError::None;
  }
  Device* device = find(words[1]);
  if (!device) return MciError::InvalidDeviceName;
  const QStringList args = words.mid(2);
  if (verb == QLatin1String("play")) return play(*device, args, wait, notify);
  if (verb == QLatin1String("record")) return record(*device, args, notify);
  if (verb == QLatin1String("stop")) return stop(*device);
  if (verb == QLatin1String("seek")) return seek(*device, args);
  if (verb == QLatin1String("set")) return set(*device, args);
  if (verb == QLatin1String("status")) return status(*device, args, answer);
  return save(*device, args);
}

int MciDevice::open(const QStringList& words, bool wait, QString& answer) {
  const QString element = words[1];
  QString alias, type;
  for (qsizetype i = 2; i < words.size(); ++i) {
    if (is(words[i], "shareable")) continue;
    if (!is(words[i], "alias") && !is(words[i], "type")) return MciError::UnrecognizedKeyword;
    if (i + 1 >= words.size()) return MciError::MissingParameter;
    (is(words[i], "alias") ? alias : type) = words[i + 1];
    ++i;
  }
  const bool isNew = is(element, "new");
  if (isNew && type.isEmpty()) return MciError::MissingParameter;
  if (isNew && alias.isEmpty()) return MciError::NewRequiresAlias;
  if (!type.isEmpty() && !is(type, "waveaudio") && !is(type, "mpegvideo")) return MciError::CannotLoadDriver;
  if (isNew && !is(type, "waveaudio")) return MciError::UnsupportedFunction;
  if (alias.isEmpty()) alias = element;
  const QString key = alias.toLower();
  if (devices_.contains(key)) return MciError::DuplicateAlias;
  if (!isNew && !QFileInfo(element).isFile()) return MciError::FileNotFound;

  Device device;
  device.alias = alias;
  device.id = nextId_++;
  if (isNew) device.element = new MciWaveElement;
  else device.element = new MciMediaElement(element);
  device.element->setParent(this);
  MciElement* raw = device.element;
  connect(raw, &MciElement::finished, this, [this, raw](int outcome) { onFinished(raw, outcome); });
  devices_.insert(key, device);

  if (wait) {
    QPointer<MciElement> opened = raw;
    waitFor(opened, true);
    if (!opened) return MciError::DeviceNotReady;  // closed while loading
    if (!opened->settled() || opened->failed()) {
      const int error = opened->failed() ? MciError::InvalidFile : MciError::DeviceNotReady;
      close(key);
      return error;
    }
  }
  answer = QString::number(device.id);
  return MciError::None;
}

int MciDevice::play(Device& device, const QStringList& args, bool wait, bool notify) {
  std::optional<qint64> from;
  for (qsizetype i = 0; i < args.size(); ++i) {
    if (!is(args[i], "from")) return MciError::UnrecognizedKeyword;
    if (i + 1 >= args.size()) return MciError::MissingParameter;
    qint64 value = 0;
    if (!readNumber(args[i + 1], value)) return MciError::BadInteger;
    from = value;
    ++i;
  }
  if (device.notifyPending) {
    device.notifyPending = false;
    postNotify(device, NotifySuperseded);
  }
  QPointer<MciElement> element = device.element;
  const int error = element->play(from);
  if (error != MciError::None) {
    if (notify) postNotify(device, NotifyFailure);
    return error;
  }
  if (!element->busy()) {
    // Nothing to play: the play has ended already.
    if (notify) postNotify(device, NotifySuccessful);
    return MciError::None;
  }
  device.notifyPending = notify;
  // The device record may move while events are let through: not used after this.
  if (wait) waitFor(element, false);
  return MciError::None;
}

int MciDevice::record(Device& device, const QStringList& args, bool notify) {
  for (const QString& word : args)
    if (!is(word, "insert") && !is(word, "overwrite")) return MciError::UnrecognizedKeyword;
  if (device.notifyPending) {
    device.notifyPending = false;
    postNotify(device, NotifySuperseded);
  }
  const int error = device.element->record();
  if (error != MciError::None) return error;
  device.notifyPending = notify;
  return MciError::None;
}

int MciDevice::stop(Device& device) {
  device.element->stop();
  return MciError::None;
}

int MciDevice::seek(Device& device, const QStringList& args) {
  if (args.size() < 2 || !is(args[0], "to")) return MciError::MissingParameter;
  if (args.size() > 2) return MciError::UnrecognizedKeyword;
  qint64 ms = 0;
  if (is(args[1], "start")) ms = 0;
  else if (is(args[1], "end")) ms = -1;
  else if (!readNumber(args[1], ms)) return MciError::BadInteger;
  return device.element->seek(ms);
}

int MciDevice::set(Device& device, const QStringList& args) {
  if (args.isEmpty()) return MciError::MissingParameter;
  WaveFormat format = device.element->format();
  bool formatChanged = false;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& word = args[i];
    if (is(word, "time") || is(word, "format")) {
      // "time format milliseconds" is the only time format; "format tag pcm" the only format.
      if (i + 2 >= args.size()) return MciError::MissingParameter;
      const QString& value = args[i + 2];
      if (is(word, "time") && (!is(args[i + 1], "format") || (!is(value, "milliseconds") && !is(value, "ms"))))
        return MciError::OutOfRange;
      if (is(word, "format") && (!is(args[i + 1], "tag") || !is(value, "pcm"))) return MciError::OutOfRange;
      i += 2;
      continue;
    }
    static const QStringList kFormatWords = {"bitspersample", "channels", "samplespersec", "bytespersec", "alignment"};
    if (!kFormatWords.contains(word.toLower())) return MciError::UnrecognizedKeyword;
    if (i + 1 >= args.size()) return MciError::MissingParameter;
    qint64 value = 0;
    if (!readNumber(args[i + 1], value)) return MciError::BadInteger;
    if (is(word, "bitspersample")) format.bitsPerSample = int(value);
    else if (is(word, "channels")) format.channels = int(value);
    else if (is(word, "samplespersec")) format.samplesPerSecond = int(value);
    // Block alignment and bytes per second follow from the other three.
    formatChanged = true;
    ++i;
  }
  if (!formatChanged) return MciError::None;
  if (!qobject_cast<MciWaveElement*>(device.element)) return MciError::UnsupportedFunction;
  if (device.element->busy()) return MciError::DeviceNotReady;
  return device.element->setFormat(format.bitsPerSample, format.channels, format.samplesPerSecond)
             ? MciError::None
             : MciError::OutOfRange;
}

int MciDevice::status(Device& device, const QStringList& args, QString& answer) {
  if (args.isEmpty()) return MciError::MissingParameter;
  const QString item = args.join(QLatin1Char(' ')).toLower();
  MciElement* element = device.element;
  const bool wave = qobject_cast<MciWaveElement*>(element) != nullptr;
  const WaveFormat format = element->format();
  if (item == QLatin1String("mode")) answer = element->mode();
  else if (item == QLatin1String("position")) answer = QString::number(element->position());
  else if (item == QLatin1String("length")) answer = QString::number(qMax<qint64>(0, element->length()));
  else if (item == QLatin1String("ready")) answer = element->settled() ? QStringLiteral("true") : QStringLiteral("false");
  else if (item == QLatin1String("media present")) answer = QStringLiteral("true");
  else if (item == QLatin1String("time format")) answer = QStringLiteral("milliseconds");
  else if (!wave && (item == QLatin1String("bitspersample") || item == QLatin1String("channels") ||
                     item == QLatin1String("samplespersec") || item == QLatin1String("bytespersec") ||
                     item == QLatin1String("alignment")))
    return MciError::UnsupportedFunction;
  else if (item == QLatin1String("bitspersample")) answer = QString::number(format.bitsPerSample);
  else if (item == QLatin1String("channels")) answer = QString::number(format.channels);
  else if (item == QLatin1String("samplespersec")) answer = QString::number(format.samplesPerSecond);
  else if (item == QLatin1String("bytespersec")) answer = QString::number(format.bytesPerSecond());
  else if (item == QLatin1String("alignment")) answer = QString::number(format.blockAlign());
  else return MciError::UnrecognizedKeyword;
  return MciError::None;
}

int MciDevice::save(Device& device, const QStringList& args) {
  if (args.isEmpty()) return MciError::MissingParameter;
  if (args.size() > 1) return MciError::UnrecognizedKeyword;
  return device.element->save(args[0]);
}

void MciDevice::close(const QString& key) {
  const auto it = devices_.find(key.toLower());
  if (it == devices_.end()) return;
  const QPointer<MciElement> element = it->element;
  // Stopping may raise the "aborted" notification; the record goes first so
  // that nothing can reach it afterwards.
  const Device device = *it;
  devices_.erase(it);
  if (element) {
    element->disconnect(this);
    if (element->busy()) {
      element->stop();
      if (device.notifyPending) postNotify(device, NotifyAborted);
    }
    delete element.data();
  }
}

void MciDevice::closeAll() {
  const QStringList keys = devices_.keys();
  for (const QString& key : keys) close(key);
}

MciDevice::Device* MciDevice::find(const QString& alias) {
  const auto it = devices_.find(alias.toLower());
  if (it == devices_.end() || !it->element) return nullptr;
  return &it.value();
}

void MciDevice::onFinished(MciElement* element, int outcome) {
  for (Device& device : devices_) {
    if (device.element != element) continue;
    if (device.notifyPending) {
      device.notifyPending = false;
      postNotify(device, outcome == MciElement::Completed ? NotifySuccessful
                         : outcome == MciElement::Aborted ? NotifyAborted
                                                          : NotifyFailure);
    }
    return;
  }
}

void MciDevice::postNotify(const Device& device, int code) {
  // Like a posted window message: the receiver never runs inside the command
  // that caused it.
  const QString alias = device.alias;
  const int id = device.id;
  QMetaObject::invokeMethod(
      this, [this, alias, id, code] { Q_EMIT notify(alias, id, code); }, Qt::QueuedConnection);
}

void MciDevice::waitFor(MciElement* element, bool untilSettled) {
  QPointer<MciElement> watched = element;
  const auto done = [&] { return !watched || (untilSettled ? watched->settled() : !watched->busy()); };
  if (done()) return;
  QEventLoop loop;
  connect(watched, &MciElement::finished, &loop, &QEventLoop::quit);
  connect(watched, &MciElement::settledChanged, &loop, &QEventLoop::quit);
  connect(watched, &QObject::destroyed, &loop, &QEventLoop::quit);
  // Plays end by themselves or by their stall guard; loading is guarded here.
  QTimer guard;
  guard.setSingleShot(true);
  if (untilSettled) {
    connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    guard.start(kLoadTimeoutMs);
  }
  while (!done() && (!untilSettled || guard.isActive())) loop.exec();
}
