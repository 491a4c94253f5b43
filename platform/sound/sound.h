#pragma once
// One sound channel for the whole program, as the system's sound call gave it: a new sound
// cuts the one playing, a missing or unreadable file is silent. Output runs on a thread of its
// own, so a sound goes on while the UI thread busy-waits in an animation.
#include <string>
#include <vector>

namespace platform::sound {

enum class Mode {
  Async,  // start and return
  Sync,   // return when the sound has finished (at most its length, with or without a device)
  Loop,   // repeat until stopped or cut by another sound
};

// Plays a WAV file (PCM, 8 or 16 bits). The name is taken as given; when no such file exists,
// the name with ".wav" added is tried. `\` separators and any letter case are accepted.
// Returns whether a sound was started.
bool play(const std::string& path, Mode mode);

// Stops whatever sound plays.
void stop();

// Length of a WAV file's sound in milliseconds; -1 when it is missing or not a readable WAV.
int lengthMs(const std::string& path);

struct Event {
  enum class Kind { Play, Stop } kind;
  std::string path;  // the name as the caller gave it (empty for Stop)
  Mode mode = Mode::Async;
  bool found = false;  // whether a playable file was found
};

// While a Recorder exists, play and stop are recorded instead of reaching the audio device
// (a Sync play then returns at once), so tests can check which sounds a routine plays.
class Recorder {
 public:
  Recorder();
  ~Recorder();
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  const std::vector<Event>& events() const { return events_; }
  // The names of the sounds played, in order (stops left out).
  std::vector<std::string> played() const;
  void clear() { events_.clear(); }

 private:
  friend bool play(const std::string&, Mode);
  friend void stop();
  std::vector<Event> events_;
  Recorder* previous_;
};

}  // namespace platform::sound
