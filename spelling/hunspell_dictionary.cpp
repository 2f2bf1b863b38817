// Hebrew and English words through libhunspell and Debian's hunspell-he and
// hunspell-en-us. The Hebrew dictionary takes seconds to read, so it is
// read once, on the first question or in the background from the start,
// and a process that never asks (a long file converted) never reads it.
#include <hunspell.h>

#include <cstdlib>
#include <filesystem>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "spelling/system_dictionary.h"

namespace quorvandel {
namespace {

std::vector<std::filesystem::path> Dictionary_folders() {
  std::vector<std::filesystem::path> folders;
  if (const char* dicpath = std::getenv("DICPATH")) {
    const std::string list(dicpath);
    std::size_t start = 0;
    while (start <= list.size()) {
      const std::size_t end = std::min(list.find(':', start), list.size());
      if (end > start) folders.emplace_back(list.substr(start, end - start));
      start = end + 1;
    }
    return folders;  // the user's choice, alone: an empty DICPATH means none
  }
  for (const char* folder : {"/usr/share/hunspell", "/usr/share/myspell", "/usr/share/myspell/dicts"}) {
    folders.emplace_back(folder);
  }
  return folders;
}

// One language's dictionary, read by libhunspell, which is not safe to ask
// from several threads at once.
class Hunspell_language {
 public:
  explicit Hunspell_language(const char* name) {
    for (const auto& folder : Dictionary_folders()) {
      const auto aff = folder / (std::string(name) + ".aff");
      const auto dic = folder / (std::string(name) + ".dic");
      std::error_code error;
      if (std::filesystem::is_regular_file(aff, error) && std::filesystem::is_regular_file(dic, error)) {
        handle_ = Hunspell_create(aff.string().c_str(), dic.string().c_str());
        break;
      }
    }
  }
  ~Hunspell_language() {
    if (handle_ != nullptr) Hunspell_destroy(handle_);
  }
  Hunspell_language(const Hunspell_language&) = delete;
  Hunspell_language& operator=(const Hunspell_language&) = delete;

  bool Found() const { return handle_ != nullptr; }

  bool Knows(std::string_view word) const {
    if (handle_ == nullptr || word.empty()) return false;
    const std::string text(word);
    const std::lock_guard<std::mutex> lock(mutex_);
    return Hunspell_spell(handle_, text.c_str()) != 0;
  }

 private:
  Hunhandle* handle_ = nullptr;
  mutable std::mutex mutex_;
};

class Hunspell_dictionary final : public Dictionary {
 public:
  // The languages are read one after the other on one thread: libhunspell
  // sets up tables shared by every dictionary as it reads one, and doing so
  // on two threads at once races.
  void Start_loading() {
    std::call_once(started_, [this] {
      languages_ = std::async(std::launch::async, [] {
        Languages read;
        read.english = std::make_unique<Hunspell_language>("en_US");
        read.hebrew = std::make_unique<Hunspell_language>("he_IL");
        return read;
      });
    });
  }

  bool Has(Language language) const override { return Get(language).Found(); }
  bool Knows(Language language, std::string_view word) const override { return Get(language).Knows(word); }

 private:
  struct Languages {
    std::unique_ptr<Hunspell_language> hebrew;
    std::unique_ptr<Hunspell_language> english;
  };

  const Hunspell_language& Get(Language language) const {
    const_cast<Hunspell_dictionary*>(this)->Start_loading();
    const Languages& read = languages_.get();
    return *(language == Language::hebrew ? read.hebrew : read.english);
  }

  std::once_flag started_;
  std::shared_future<Languages> languages_;
};

// Never destroyed: a background read may still run as the program exits.
Hunspell_dictionary& The_dictionary() {
  static auto* dictionary = new Hunspell_dictionary;
  return *dictionary;
}

}  // namespace

const Dictionary* System_dictionary() { return &The_dictionary(); }
void Start_loading_dictionaries() { The_dictionary().Start_loading(); }

}  // namespace quorvandel
