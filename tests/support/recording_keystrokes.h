// A Keystroke_service that records the keys sent, with the keys the test
// says are held and the copy-and-paste style it gives the foreground.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "hotkeys/keystroke_service.h"

namespace quorvandel::testing {

class Recording_keystrokes : public Keystroke_service {
 public:
  struct Sent {
    Key key;
    bool release;
    bool operator==(const Sent&) const = default;
  };

  bool Is_down(Key key) override {
    ++down_queries;
    return held.count(key) > 0;
  }
  void Send_key(Key key, bool release) override {
    sent.push_back({key, release});
    if (on_send) on_send(key, release);
  }
  Copy_paste_style Foreground_style() override { return foreground_style; }
  std::string Prepare() override { return prepare_message; }
  bool Ask_foreground_to_answer() override {
    ++questions;
    polls_since_question = 0;
    return answers;
  }
  bool Foreground_answered() override { return answers && ++polls_since_question > polls_before_answer; }
  // True once the application answered the question asked last.
  bool Caught_up() const { return answers && questions > 0 && polls_since_question > polls_before_answer; }

  // The keys as names, "+c" for a press of C and "-c" for its release.
  std::vector<std::string> Sent_names() const {
    std::vector<std::string> names;
    for (const Sent& key : sent) {
      std::string name = key.release ? "-" : "+";  // appended, not "+" + name: GCC 12 warns on that
      name += Name(key.key);
      names.push_back(name);
    }
    return names;
  }
  static std::string Name(Key key) {
    switch (key) {
      case Key::shift: return "shift";
      case Key::control: return "control";
      case Key::c: return "c";
      case Key::v: return "v";
      case Key::insert: return "insert";
    }
    return "?";
  }

  std::set<Key> held;  // the keys the user holds down
  Copy_paste_style foreground_style = Copy_paste_style::control_keys;
  std::string prepare_message;  // why the keys cannot be sent; empty: they can
  std::vector<Sent> sent;
  int down_queries = 0;
  // The application's answers: whether it gives them, and after how many
  // looks of the waiting side.
  bool answers = true;
  int polls_before_answer = 0;
  int questions = 0;
  int polls_since_question = 0;
  // Runs after each key is recorded: lets a test play the foreground
  // application (copy its selection on Ctrl+C, for example).
  std::function<void(Key key, bool release)> on_send;
};

}  // namespace quorvandel::testing
